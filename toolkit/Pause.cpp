#include "toolkit/Pause.h"

#include "toolkit/Form.h"

#include <QApplication>
#include <QWidget>

#include <chrono>
#include <thread>

namespace {
std::function<void(unsigned)>& Recorder()
{
    static std::function<void(unsigned)> recorder;
    return recorder;
}
} // namespace

void SetPauseRecorder(std::function<void(unsigned ms)> recorder)
{
    Recorder() = std::move(recorder);
}

void Sleep(unsigned ms)
{
    // What the handler has put on screen must stand while the thread is blocked: nothing gets
    // painted during the pause itself.
    for (TForm* form : TForm::AllForms())
        form->RevealForPause();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible())
            window->repaint();
    if (Recorder()) {
        const auto recorder = Recorder();
        recorder(ms);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
