#include "toolkit/ClassicFonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>
#include <QRawFont>
#include <QVector>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

struct Strike {
    int ppem = 0;
    int ascent = 0;
};

// Faces made only of bitmaps, by family, with their strikes.
QHash<QString, QVector<Strike>>& BitmapFaces()
{
    static QHash<QString, QVector<Strike>> faces;
    return faces;
}

quint32 Read32(const QByteArray& data, qsizetype at)
{
    return at + 4 <= data.size() ? qFromBigEndian<quint32>(data.constData() + at) : 0;
}

quint16 Read16(const QByteArray& data, qsizetype at)
{
    return at + 2 <= data.size() ? qFromBigEndian<quint16>(data.constData() + at) : 0;
}

// Where the font file's EBLC table (the list of bitmap strikes) starts, or -1.
qsizetype StrikeTable(const QByteArray& font)
{
    const int tables = Read16(font, 4);
    for (int i = 0; i < tables; ++i) {
        const qsizetype record = 12 + 16 * qsizetype(i);
        if (record + 16 <= font.size() && std::memcmp(font.constData() + record, "EBLC", 4) == 0) {
            const qsizetype at = Read32(font, record + 8);
            return at + 8 <= font.size() ? at : -1;
        }
    }
    return -1;
}

constexpr qsizetype kStrikeRecord = 48;

QVector<Strike> StrikesOf(const QByteArray& font)
{
    QVector<Strike> strikes;
    const qsizetype table = StrikeTable(font);
    if (table < 0)
        return strikes;
    const quint32 count = Read32(font, table + 4);
    for (quint32 i = 0; i < count; ++i) {
        const qsizetype record = table + 8 + kStrikeRecord * qsizetype(i);
        if (record + kStrikeRecord > font.size())
            break;
        Strike strike;
        strike.ascent = qint8(font.at(record + 16));
        strike.ppem = quint8(font.at(record + 45));
        strikes.append(strike);
    }
    return strikes;
}

// The font with its strike list turned so that strike `first` leads. The font database learns
// one size per bitmap face it is given, the leading one; a copy per strike teaches it all of
// them, and whichever copy draws finds every strike in it.
QByteArray WithStrikeFirst(const QByteArray& font, int first, int count)
{
    QByteArray turned = font;
    const qsizetype records = StrikeTable(font) + 8;
    for (int i = 0; i < count; ++i)
        std::memcpy(turned.data() + records + kStrikeRecord * i,
                    font.constData() + records + kStrikeRecord * ((i + first) % count), kStrikeRecord);
    return turned;
}

void Register(const QByteArray& font)
{
    const int id = QFontDatabase::addApplicationFontFromData(font);
    if (id < 0)
        return;
    const QString family = QFontDatabase::applicationFontFamilies(id).value(0);
    if (family.isEmpty() || QFontDatabase::isScalable(family))
        return;
    const QVector<Strike> strikes = StrikesOf(font);
    if (strikes.isEmpty())
        return;
    BitmapFaces().insert(family, strikes);
    for (int first = 1; first < strikes.size(); ++first)
        QFontDatabase::addApplicationFontFromData(WithStrikeFirst(font, first, int(strikes.size())));
}

} // namespace

int RegisterClassicFonts(const QString& folder)
{
    // Only the faces the layouts name: each file costs start-up time.
    static const char* const files[] = {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf", "fixedsys.ttf"};
    int registered = 0;
    for (const char* name : files) {
        QFile file(folder + QLatin1Char('/') + QLatin1String(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        Register(file.readAll());
        ++registered;
    }
    return registered;
}

bool IsDoubleStruckBold(const QFont& font)
{
    return font.bold() && BitmapFaces().contains(font.family());
}

namespace {

QFont WithClassicSpacing(QFont font)
{
    font.setLetterSpacing(QFont::AbsoluteSpacing, IsDoubleStruckBold(font) ? 1 : 0);
    return font;
}

} // namespace

QFont ClassicFont(const QFont& font)
{
    QFont classic = font;
    if (font.pointSizeF() <= 0)
        return WithClassicSpacing(classic);
    // Points to pixels as the classic platform rounds them: 8 pt is 11 pixels, 10 pt 13.
    const int height = int(font.pointSizeF() * 96.0 / 72.0 + 0.5);
    classic.setPixelSize(height);
    const auto face = BitmapFaces().constFind(font.family());
    if (face != BitmapFaces().constEnd() && !face->isEmpty()) {
        const Strike* chosen = nullptr;
        for (const Strike& strike : *face)
            if (strike.ascent <= height && (!chosen || strike.ascent > chosen->ascent))
                chosen = &strike;
        if (!chosen)
            for (const Strike& strike : *face)
                if (!chosen || strike.ppem < chosen->ppem)
                    chosen = &strike;
        classic.setPixelSize(chosen->ppem);
    }
    return WithClassicSpacing(classic);
}

namespace {

QString ScalableStandIn(const QString& family)
{
    for (const QString& standIn : QFont::substitutes(family))
        if (QFontDatabase::isSmoothlyScalable(standIn))
            return standIn;
    return QString();
}

} // namespace

QFont WithoutDoubleStrike(const QFont& font)
{
    if (!IsDoubleStruckBold(font))
        return font;
    const QString standIn = ScalableStandIn(font.family());
    if (standIn.isEmpty())
        return font;
    QFont bold = font;
    bold.setFamily(standIn);
    bold.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    for (const Strike& strike : BitmapFaces().value(font.family()))
        if (strike.ppem == font.pixelSize())
            bold.setPixelSize(strike.ascent);
    return bold;
}

QFont ClassicFontAtPixelSize(const QFont& font, int pixelSize)
{
    QFont sized = font;
    sized.setPixelSize(pixelSize);
    const auto face = BitmapFaces().constFind(font.family());
    if (face != BitmapFaces().constEnd()) {
        // The face's own strikes first, the largest not above the height; below its smallest
        // strike, the scalable stand-in.
        int strike = 0;
        for (const Strike& s : *face)
            if (s.ppem <= pixelSize)
                strike = std::max(strike, s.ppem);
        const QString standIn = ScalableStandIn(font.family());
        if (strike > 0)
            sized.setPixelSize(strike);
        else if (!standIn.isEmpty())
            sized.setFamily(standIn);
    }
    return WithClassicSpacing(sized);
}

TLineMetrics ClassicLineMetrics(const QFont& font)
{
    static QHash<QString, TLineMetrics> known;
    const QString key = font.key();
    const auto found = known.constFind(key);
    if (found != known.constEnd())
        return *found;

    const QFontMetrics fm(font);
    TLineMetrics line{fm.ascent() + fm.descent(), fm.ascent()};
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.fontTable("OS/2");
    const QByteArray head = raw.fontTable("head");
    const int unitsPerEm = Read16(head, 18);
    // A bitmap face's own metrics are already those of its strike.
    if (os2.size() >= 78 && unitsPerEm > 0 && !BitmapFaces().contains(QFontInfo(font).family())) {
        const double scale = raw.pixelSize() / unitsPerEm;
        line.ascent = qRound(Read16(os2, 74) * scale);
        line.height = line.ascent + qRound(Read16(os2, 76) * scale);
    }
    known.insert(key, line);
    return line;
}
