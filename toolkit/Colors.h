#pragma once

#include <QColor>
#include <QString>

// Colours by their classic names, as the stored layouts write them ("clSilver", "clBtnFace", or
// "#rrggbb"). The system colours map to the classic palette.
using TColor = QColor;

extern const TColor clBlack, clWhite, clYellow, clSilver, clGray, clNavy, clBlue, clRed, clGreen,
    clBtnFace, clWindowText, clAppWorkSpace, clWindow;

// Parses a layout colour name; an unknown name gives an invalid colour.
TColor ColorFromName(const QString& name);

// RGB() as the classic API composes it: components 0 to 255.
inline TColor RGB(int r, int g, int b) { return QColor(r, g, b); }
