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
    TMsgDialogSpec spec;
    spec.text = text;
    spec.helpContext = helpContext;
    switch (kind) {
    case DialogKind::Warning:
        spec.caption = QStringLiteral("Perigo");
        spec.icon = TMsgIcon::Warning;
        break;
    case DialogKind::Information:
        spec.caption = QStringLiteral("Informação");
        spec.icon = TMsgIcon::Information;
        break;
    case DialogKind::Confirmation:
        spec.caption = QStringLiteral("Confirma ?");
        spec.icon = TMsgIcon::Question;
        break;
    case DialogKind::Custom:
        // Read now, not earlier: a notice shown before the title is set carries the default one.
        spec.caption = Application ? Application->Title() : QString();
        spec.icon = TMsgIcon::None;
        break;
    }

    const auto has = [&](DialogButton b) { return std::find(buttons.begin(), buttons.end(), b) != buttons.end(); };
    const bool none = buttons.size() == 0;
    for (const Face& face : kFaces)
        if (has(face.button) || (none && face.button == DialogButton::OK))
            spec.buttons.append({QString::fromUtf8(face.caption), face.result});

    const auto indexOf = [&](int result) {
        for (int i = 0; i < spec.buttons.size(); ++i)
            if (spec.buttons[i].result == result)
                return i;
        return -1;
    };
    spec.defaultButton = indexOf(ResultOK) >= 0 ? indexOf(ResultOK) : std::max(0, indexOf(ResultYes));
    spec.escapeResult = indexOf(ResultCancel) >= 0 ? ResultCancel
                        : indexOf(ResultNo) >= 0   ? ResultNo
                        : indexOf(ResultOK) >= 0   ? ResultOK
                                                   : ResultCancel;
    // However the set is made up, the close box answers Cancel.
    spec.closeResult = ResultCancel;
    return RunMessageDialog(spec);
}

void ShowNotice(const QString& text)
{
    ShowMessageDialog(text, DialogKind::Custom, {DialogButton::OK});
}
