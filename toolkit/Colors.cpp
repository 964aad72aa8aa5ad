#include "toolkit/Colors.h"

#include <QHash>

const TColor clBlack(0x00, 0x00, 0x00);
const TColor clWhite(0xFF, 0xFF, 0xFF);
const TColor clYellow(0xFF, 0xFF, 0x00);
const TColor clSilver(0xC0, 0xC0, 0xC0);
const TColor clGray(0x80, 0x80, 0x80);
const TColor clNavy(0x00, 0x00, 0x80);
const TColor clBlue(0x00, 0x00, 0xFF);
const TColor clRed(0xFF, 0x00, 0x00);
const TColor clGreen(0x00, 0x80, 0x00);
const TColor clBtnFace(0xF0, 0xF0, 0xF0);
const TColor clWindowText(0x00, 0x00, 0x00);
const TColor clAppWorkSpace(0xAB, 0xAB, 0xAB);
const TColor clWindow(0xFF, 0xFF, 0xFF);

TColor ColorFromName(const QString& name)
{
    const QString key = name.trimmed();
    if (key.startsWith(QLatin1Char('#'))) {
        // Only the six-digit form: a layout never needs alpha, and a typo should not pass silently.
        if (key.size() != 7)
            return TColor();
        bool ok = false;
        const uint rgb = key.mid(1).toUInt(&ok, 16);
        return ok ? TColor(QRgb(0xFF000000u | rgb)) : TColor();
    }
    // Built on first use: the colour constants live in this file, so they are initialised by then.
    static const QHash<QString, const TColor*> byName = {
        {QStringLiteral("clblack"), &clBlack},       {QStringLiteral("clwhite"), &clWhite},
        {QStringLiteral("clyellow"), &clYellow},     {QStringLiteral("clsilver"), &clSilver},
        {QStringLiteral("clgray"), &clGray},         {QStringLiteral("clgrey"), &clGray},
        {QStringLiteral("clnavy"), &clNavy},         {QStringLiteral("clblue"), &clBlue},
        {QStringLiteral("clred"), &clRed},           {QStringLiteral("clgreen"), &clGreen},
        {QStringLiteral("clbtnface"), &clBtnFace},   {QStringLiteral("clwindowtext"), &clWindowText},
        {QStringLiteral("clappworkspace"), &clAppWorkSpace}, {QStringLiteral("clwindow"), &clWindow},
    };
    const auto found = byName.constFind(key.toLower());
    return found == byName.constEnd() ? TColor() : **found;
}
