#include "Dialogs.h"

#include "toolkit/Application.h"
#include "toolkit/MessageDialog.h"

#include <algorithm>

namespace {

struct Face {
    DialogButton button;
    const char* caption;
    int result;
};

// The buttons always stand in this order, whatever order a caller names them in.
constexpr Face kFaces[] = {
    {DialogButton::Yes, "&Sim", ResultYes},
    {DialogButton::No, "&Não", ResultNo},
    {DialogButton::OK, "OK", ResultOK},
    {DialogButton::Cancel, "Cancela", ResultCancel},
};

} // namespace

int ShowMessageDialog(const QString& text, DialogKind kind, std::initializer_list<DialogButton> buttons, int helpContext)
{
    TMsgDialogSetup setup;
    setup.text = text;
    setup.helpContext = helpContext;
    switch (kind) {
    case DialogKind::Warning:
        setup.caption = QStringLiteral("Perigo");
        setup.icon = TMsgIcon::Warning;
        break;
    case DialogKind::Information:
        setup.caption = QStringLiteral("Informação");
        setup.icon = TMsgIcon::Information;
        break;
    case DialogKind::Confirmation:
        setup.caption = QStringLiteral("Confirma ?");
        setup.icon = TMsgIcon::Question;
        break;
    case DialogKind::Custom:
        // Read now, not earlier: a notice shown before the title is set carries the default one.
        setup.caption = Application ? Application->Title() : QString();
        setup.icon = TMsgIcon::None;
        break;
    }

    const auto has = [&](DialogButton b) { return std::find(buttons.begin(), buttons.end(), b) != buttons.end(); };
    const bool none = buttons.size() == 0;
    for (const Face& face : kFaces)
        if (has(face.button) || (none && face.button == DialogButton::OK))
            setup.buttons.append({QString::fromUtf8(face.caption), face.result});

    const auto indexOf = [&](int result) {
        for (int i = 0; i < setup.buttons.size(); ++i)
            if (setup.buttons[i].result == result)
                return i;
        return -1;
    };
    setup.defaultButton = indexOf(ResultOK) >= 0 ? indexOf(ResultOK) : std::max(0, indexOf(ResultYes));
    setup.escapeResult = indexOf(ResultCancel) >= 0 ? ResultCancel
                        : indexOf(ResultNo) >= 0   ? ResultNo
                        : indexOf(ResultOK) >= 0   ? ResultOK
                                                   : ResultCancel;
    // However the set is made up, the close box answers Cancel.
    setup.closeResult = ResultCancel;
    return RunMessageDialog(setup);
}

void ShowNotice(const QString& text)
{
    ShowMessageDialog(text, DialogKind::Custom, {DialogButton::OK});
}
