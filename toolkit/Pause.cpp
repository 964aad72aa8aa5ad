#include "toolkit/Pause.h"

#include "toolkit/Form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <thread>

namespace {
std::function<void(unsigned)>& Recorder()
{
    static std::function<void(unsigned)> recorder;
    return recorder;
}

bool pausing = false;

bool SomeWindowAwaitsExposure()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowHandle() && !window->windowHandle()->isExposed())
            return true;
    return false;
}

// A window shown just now is drawn only once the window system has exposed it, and what is painted
// reaches the screen only when the connection to it is flushed. Both need the window system's
// events, so they are let in for a moment; the player's input and the timers wait.
void BringPaintToScreen()
{
    // Without a window system (headless runs) painting is all there is to do.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible())
                window->repaint();
        return;
    }
    QElapsedTimer waited;
    waited.start();
    while (SomeWindowAwaitsExposure() && waited.elapsed() < 500) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (SomeWindowAwaitsExposure())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible())
            window->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
} // namespace

void SetPauseRecorder(std::function<void(unsigned ms)> recorder)
{
    Recorder() = std::move(recorder);
}

bool PauseInProgress()
{
    return pausing;
}

void Sleep(unsigned ms)
{
    pausing = true;
    QElapsedTimer started;
    started.start();
    // What the handler has put on screen must stand while the thread is blocked: nothing gets
    // painted during the pause itself.
    for (TForm* form : TForm::AllForms())
        form->RevealForPause();
    BringPaintToScreen();
    if (Recorder()) {
        const auto recorder = Recorder();
        recorder(ms);
        pausing = false;
        return;
    }
    const auto spent = std::chrono::milliseconds(started.elapsed());
    if (spent < std::chrono::milliseconds(ms))
        std::this_thread::sleep_for(std::chrono::milliseconds(ms) - spent);
    pausing = false;
}
