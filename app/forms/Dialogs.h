#pragma once

#include <QString>
#include <initializer_list>

// The game's one message box, with its Portuguese captions and buttons.

enum class DialogKind { Warning, Information, Confirmation, Custom };

enum class DialogButton { Yes, No, OK, Cancel };

// Results of the buttons, and of closing the dialog with its close box (ResultCancel).
enum DialogResult : int { ResultOK = 1, ResultCancel = 2, ResultYes = 6, ResultNo = 7 };

// Shows the dialog and returns the result of the way it was closed. The buttons always stand in
// the order Yes, No, OK, Cancel, whatever order they are given in.
int ShowMessageDialog(const QString& text, DialogKind kind, std::initializer_list<DialogButton> buttons,
                      int helpContext = 0);

// The plain notice: the application title as caption, no icon, OK.
void ShowNotice(const QString& text);
