#pragma once

#include "toolkit/Colors.h"
#include "toolkit/Events.h"

#include <QWidget>
#include <functional>

class QEventLoop;

enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

// A window of the program. A form is created with an owner, which destroys it when it is destroyed.
// The derived class loads its stored layout and then binds it:
//
//     TFrmX::TFrmX(QWidget* AOwner) : TForm(AOwner) { setupUi(this); BindLayout(Handlers()); }
//
// BindLayout applies the layout's toolkit properties, binds every event the layout names to the
// handler of that name (a missing name raises Exception), fixes the client size from the layout
// (single border: not resizable), sets the border icons, stacks windowed controls above pictures
// and labels, and finally runs OnCreate through the guard.
class TForm : public QWidget {
    Q_OBJECT

public:
    explicit TForm(QWidget* AOwner);
    ~TForm() override;

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }
    bool Visible() const { return !isHidden(); }

    // Runs OnShow (before the window is visible; an error goes to the error box and the window is
    // shown all the same), then shows the window centred on the screen and brings it to the front.
    void Show();
    // As Show, then runs a nested event loop in which every other window of the program takes no
    // input (timers keep ticking) until the form closes. A Close asked during OnShow ends the modal
    // run without entering the loop. Returns the modal result (mrCancel when closed).
    int ShowModal();
    // The close action: the main form ends the program; a modal form ends its modal run once the
    // handler in progress returns; any other form is hidden, not destroyed. The close box and Alt+F4
    // do the same.
    void Close();

    bool InModalRun() const { return modalLoop_ != nullptr; }
    // True while OnShow runs for a form that is not yet visible (a pause makes it visible).
    bool ShowPending() const { return showPending_; }
    // True between a Close of a modal form and the end of its modal run.
    bool CloseRequested() const { return closeRequested_; }
    // The pause stands on the window whose show event is running: it is shown first.
    void RevealForPause();

    // Every form that exists, oldest first.
    static QList<TForm*> AllForms();
    // The form of the innermost modal run, or null.
    static TForm* CurrentModalForm();

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;

protected:
    void BindLayout(const THandlerTable& handlers);
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Keeps input away from a modal form that was asked to close.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RunShowEvent();
    void CentreOnScreen();
    QEventLoop* modalLoop_ = nullptr;
    bool showPending_ = false;
    bool closeRequested_ = false;
    int modalResult_ = mrNone;
};

// Test seam: called with the form once its modal loop is running (inside ShowModal), so a test can
// play in the modal window. An empty function removes it.
void SetModalStartHook(std::function<void(TForm* form)> hook);
