#include "toolkit/Locale.h"

#include <QLocale>

namespace {

struct SeparatorState {
    bool known = false;
    QString separator;
};

SeparatorState& State()
{
    static SeparatorState state;
    return state;
}

} // namespace

QString ThousandSeparator()
{
    if (!State().known)
        ReadThousandSeparatorFromLocale();
    return State().separator;
}

void ApplyThousandSeparator(const QString& raw)
{
    State().separator = raw.size() <= 1 ? raw : QStringLiteral(",");
    State().known = true;
}

void ReadThousandSeparatorFromLocale()
{
    // Qt always has an answer for the system locale (its C locale says ","), so the only way to
    // end up with the comma fallback is a separator longer than one character.
    ApplyThousandSeparator(QLocale::system().groupSeparator());
}
