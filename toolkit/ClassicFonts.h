#pragma once

#include <QFont>
#include <QString>

// The faces the stored layouts were measured with (Tahoma, MS Sans Serif, Fixedsys), taken from
// the metric-compatible files of Debian's fonts-wine when the machine has them. Registered at start,
// before the first window; where a file is missing the face falls back to its stand-ins.
// Returns how many files were registered.
int RegisterClassicFonts(const QString& folder = QStringLiteral("/usr/share/wine/fonts"));

// The font the classic platform draws for a font given in points: a whole pixel height at
// 96 dots per inch, whatever the screen says; for a face made of bitmaps, the strike its font
// mapper picks (the largest whose ascent fits the height, else the smallest). A font given in
// pixels keeps its size.
QFont ClassicFont(const QFont& font);

// The same font at another pixel height: for a bitmap face, its largest strike not above that
// height, or below its smallest strike its first scalable stand-in, so a text can always be made
// smaller.
QFont ClassicFontAtPixelSize(const QFont& font, int pixelSize);

// A text line as the classic platform measures it: its height is the face's usWinAscent plus
// usWinDescent at the font's size, its baseline usWinAscent below its top. Faces without those
// tables use the font's own ascent and descent.
struct TLineMetrics {
    int height = 0;
    int ascent = 0;
};
TLineMetrics ClassicLineMetrics(const QFont& font);

// Bitmap faces have no bold glyphs: the classic platform strikes each glyph twice, one pixel
// apart, so every character is a pixel wider and the text reaches one pixel past its advance.
bool IsDoubleStruckBold(const QFont& font);

// For a control that cannot strike its text twice (a button, a memo): a double-struck bold
// becomes the face's scalable stand-in in bold, as high as the strike's characters; any other
// font is returned as it is.
QFont WithoutDoubleStrike(const QFont& font);
