#pragma once

#include <QDialog>
#include <QString>
#include <QVector>
#include <functional>

class QPushButton;

enum class TMsgIcon { None, Warning, Information, Question, Error };

struct TMsgButton {
    QString caption; // "&" marks the access key
    int result;
};

struct TMsgDialogSetup {
    QString caption;
    QString text;
    TMsgIcon icon = TMsgIcon::None;
    QVector<TMsgButton> buttons; // left to right, as given
    int defaultButton = 0;       // index into buttons: focused, pressed by Enter and Space
    int escapeResult = 2;        // what Escape returns
    int closeResult = 2;         // what the close box, Alt+F4 or the system menu's Close return
    int helpContext = 0;         // accepted; F1 does nothing
};

// The modal message box: icon at the left, text beside it wrapped at half the screen width, the
// buttons below in one row of equal widths, centred; the dialog centred on the screen. Every other
// window takes no input while it is open; the event loop (timers, sounds) runs on.
class TMessageDialog : public QDialog {
    Q_OBJECT

public:
    explicit TMessageDialog(const TMsgDialogSetup& setup);

    const TMsgDialogSetup& Setup() const { return setup_; }
    int ButtonCount() const { return buttons_.size(); }
    QPushButton* Button(int index) const { return buttons_.at(index); }
    // Ways to end it, as a person would.
    void PressButton(int index);
    void PressKey(int qtKey);
    void CloseBox();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    TMsgDialogSetup setup_;
    QVector<QPushButton*> buttons_;
    bool closingWithResult_ = false;
};

// Shows the dialog modally and returns the result of the way it was closed.
int RunMessageDialog(const TMsgDialogSetup& setup);

// Test seam: called with the dialog once it is on screen inside its modal loop; the hook answers
// it (PressButton, PressKey, CloseBox). An empty function removes it.
void SetMessageDialogHook(std::function<void(TMessageDialog& dialog)> hook);
