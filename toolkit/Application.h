#pragma once

#include "toolkit/Exception.h"
#include "toolkit/Form.h"

#include <QString>
#include <memory>
#include <vector>

class QApplication;

// The application object: the Qt application, its title, the forms it owns, the main form and the
// error box. One exists per process; `Application` points to it.
class TApplication {
public:
    // Creates the Qt application with the classic look ("Windows" style; Fixedsys, MS Sans Serif
    // and Tahoma from their metric-compatible files, stand-ins where those are missing), loads the icon ":/MAINICON" for every window, reads the
    // locale's thousands separator (and again on every locale change). The title starts as the
    // default title made from the program file's name.
    TApplication(int& argc, char** argv);
    ~TApplication();

    void Initialize();
    QString Title() const { return title_; }
    void SetTitle(const QString& title);
    // The default title of a program file: the folder dropped, the name cut at its first ".",
    // every character after the first in lower case.
    static QString DefaultTitleFor(const QString& programPath);

    // Creates a form owned by the application; the first one created becomes the main form.
    template <class F>
    void CreateForm(F*& reference)
    {
        reference = new F(nullptr);
        Adopt(reference);
    }
    TForm* MainForm() const { return mainForm_; }

    // Shows the main form and handles events until it closes.
    void Run();
    // Ends Run (the main form was closed).
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Tests run many programs' worth of windows in one process: lets Run work again.
    void ClearTerminatedForTesting() { terminated_ = false; }
    // Told by every form as it is destroyed, so the application never deletes it twice.
    void FormDestroyed(TForm* form);

    // The error box: the error's text, the application title as caption, the error icon, OK.
    void ShowException(const Exception& error);
    void HandleException(const std::exception& error);

private:
    void Adopt(TForm* form);
    std::unique_ptr<QApplication> qt_;
    std::vector<TForm*> forms_;
    TForm* mainForm_ = nullptr;
    QString title_;
    bool terminated_ = false;
    bool running_ = false;
    std::unique_ptr<QObject> localeWatcher_;
};

extern TApplication* Application;
