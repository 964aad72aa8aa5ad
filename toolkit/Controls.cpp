#include "toolkit/Controls.h"

#include "toolkit/ClassicFonts.h"
#include "toolkit/Pause.h"

#include "toolkit/Exception.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>
#include <QTextCursor>
#include <QToolButton>
#include <qdrawutil.h>

#include <cmath>
#include <limits>
#include <type_traits>

namespace {

QString ControlName(const QObject* control)
{
    const QString name = control->objectName();
    return name.isEmpty() ? QStringLiteral("(unnamed %1)").arg(QString::fromLatin1(control->metaObject()->className()))
                          : name;
}

// Every handler a layout names must exist: a typo in a layout is found when the window is created,
// not when the player first clicks.
template <class Event>
Event LookUpHandler(const QObject* control, const char* event, const QHash<QString, Event>& table)
{
    const QString name = control->property(event).toString();
    if (name.isEmpty())
        return {};
    const auto found = table.constFind(name);
    if (found == table.constEnd())
        throw Exception(QStringLiteral("%1: the handler \"%2\" named by %3 does not exist")
                            .arg(ControlName(control), name, QString::fromLatin1(event)));
    return *found;
}

TColor LayoutColor(const QObject* control, const char* property)
{
    const QVariant value = control->property(property);
    if (!value.isValid())
        return TColor();
    if (value.canConvert<QColor>() && value.typeId() == QMetaType::QColor)
        return value.value<QColor>();
    const TColor color = ColorFromName(value.toString());
    if (!color.isValid())
        throw Exception(QStringLiteral("%1: unknown colour \"%2\" in %3")
                            .arg(ControlName(control), value.toString(), QString::fromLatin1(property)));
    return color;
}

int LayoutInt(const QObject* control, const char* property, int fallback)
{
    const QVariant value = control->property(property);
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok)
        throw Exception(QStringLiteral("%1: %2 must be a whole number, not \"%3\"")
                            .arg(ControlName(control), QString::fromLatin1(property), value.toString()));
    return number;
}

bool LayoutBool(const QObject* control, const char* property, bool fallback)
{
    const QVariant value = control->property(property);
    return value.isValid() ? value.toBool() : fallback;
}

bool IsLeftClickInside(const QWidget* widget, const QMouseEvent* event)
{
    return event->button() == Qt::LeftButton && widget->rect().contains(event->position().toPoint());
}

// The pointer's place in the control and the keys held go to OnMouseMove, through the guard.
void FireMouseMove(const TMouseMoveEvent& event, TObject* sender, const QMouseEvent* mouse)
{
    if (!event)
        return;
    // A copy: the handler may rebind the event it runs from.
    const TMouseMoveEvent handler = event;
    const QPoint at = mouse->position().toPoint();
    RunGuarded([&] { handler(sender, mouse->modifiers(), at.x(), at.y()); });
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TControl

template <class Base>
TColor TControl<Base>::Color() const
{
    return this->palette().color(QPalette::Active, this->backgroundRole());
}

template <class Base>
void TControl<Base>::SetColor(const TColor& color)
{
    QPalette palette = this->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, color);
    this->setPalette(palette);
    hasOwnColor_ = true;
    ColorChanged();
}

template <class Base>
void TControl<Base>::ColorChanged()
{
    this->setAutoFillBackground(hasOwnColor_);
}

template <class Base>
TColor TControl<Base>::FontColor() const
{
    return this->palette().color(QPalette::Active, this->foregroundRole());
}

template <class Base>
void TControl<Base>::SetFontColor(const TColor& color)
{
    // The disabled group is left alone, so a disabled control still looks disabled.
    QPalette palette = this->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(group, role, color);
    this->setPalette(palette);
}

template <class Base>
void TControl<Base>::ApplyCommonLayout(const THandlerTable& handlers)
{
    // Point sizes become the pixel heights the layout was drawn with; only a label strikes its
    // text twice.
    if constexpr (std::is_same_v<Base, QLabel>)
        this->setFont(ClassicFont(this->font()));
    else
        this->setFont(WithoutDoubleStrike(ClassicFont(this->font())));
    const TColor color = LayoutColor(this, "Color");
    if (color.isValid())
        SetColor(color);
    const TColor fontColor = LayoutColor(this, "FontColor");
    if (fontColor.isValid())
        SetFontColor(fontColor);
    OnClick = LookUpHandler(this, "OnClick", handlers.notify);
    OnMouseMove = LookUpHandler(this, "OnMouseMove", handlers.mouseMove);
    OnMouseLeave = LookUpHandler(this, "OnMouseLeave", handlers.notify);
    if (OnMouseMove)
        this->setMouseTracking(true);
}

template <class Base>
void TControl<Base>::ApplyLayout(const THandlerTable& handlers)
{
    ApplyCommonLayout(handlers);
}

template class TControl<QWidget>;
template class TControl<QLabel>;
template class TControl<QLineEdit>;
template class TControl<QComboBox>;
template class TControl<QPushButton>;
template class TControl<QTextEdit>;
template class TControl<QTextBrowser>;

// ---------------------------------------------------------------------------------------------
// TImage

TImage::TImage(QWidget* parent) : TControl<QWidget>(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    // OnMouseMove may be bound in code after the layout: the pointer is always followed.
    setMouseTracking(true);
}

void TImage::LoadPicture(const QString& resource)
{
    if (resource.isEmpty()) {
        picture_ = QPixmap();
        pictureName_.clear();
        update();
        return;
    }
    QPixmap picture(resource);
    if (picture.isNull())
        throw Exception(QStringLiteral("%1: cannot load the picture \"%2\"").arg(ControlName(this), resource));
    picture_ = picture;
    pictureName_ = resource;
    update();
}

void TImage::AssignPicture(const TImage& from)
{
    picture_ = from.picture_;
    pictureName_ = from.pictureName_;
    update();
}

void TImage::SetStretch(bool stretch)
{
    stretch_ = stretch;
    update();
}

void TImage::ApplyLayout(const THandlerTable& handlers)
{
    ApplyCommonLayout(handlers);
    stretch_ = LayoutBool(this, "Stretch", stretch_);
    const QString picture = property("Picture").toString();
    if (!picture.isEmpty())
        LoadPicture(picture);
}

void TImage::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretch_)
        painter.drawPixmap(rect(), picture_);
    else
        painter.drawPixmap(0, 0, picture_);
}

void TImage::mousePressEvent(QMouseEvent* event)
{
    event->setAccepted(event->button() == Qt::LeftButton);
}

void TImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (IsLeftClickInside(this, event))
        Fire(OnClick, this);
}

void TImage::mouseMoveEvent(QMouseEvent* event)
{
    FireMouseMove(OnMouseMove, this, event);
}

void TImage::leaveEvent(QEvent*)
{
    Fire(OnMouseLeave, this);
}

// ---------------------------------------------------------------------------------------------
// TLabel

TLabel::TLabel(QWidget* parent) : TControl<QLabel>(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setAutoFillBackground(false);
    setMouseTracking(true);
}

void TLabel::SetCaption(const QString& caption)
{
    setText(caption);
    Arrange();
}

void TLabel::SetTransparent(bool transparent)
{
    transparent_ = transparent;
    ColorChanged();
}

void TLabel::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    Arrange();
}

void TLabel::ColorChanged()
{
    setAutoFillBackground(hasOwnColor_ && !transparent_);
    update();
}

void TLabel::ApplyLayout(const THandlerTable& handlers)
{
    // A layout may have set a rich-text format through the standard property; captions are
    // always shown as they are.
    setTextFormat(Qt::PlainText);
    transparent_ = LayoutBool(this, "Transparent", transparent_);
    autoSize_ = LayoutBool(this, "AutoSize", autoSize_);
    ApplyCommonLayout(handlers);
    ColorChanged();
    Arrange();
}

QString TLabel::ShownText() const
{
    // A line break in a caption breaks the line, whichever convention wrote it.
    QString shown = text();
    shown.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    shown.replace(QLatin1Char('\r'), QChar::LineSeparator);
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return shown;
}

TLabel::Arrangement TLabel::ArrangeIn(const QFont& font, int wrapWidth) const
{
    Arrangement arrangement;
    arrangement.font = font;
    const TLineMetrics line = ClassicLineMetrics(font);
    arrangement.lineHeight = line.height;
    arrangement.ascent = line.ascent;
    const QString shown = ShownText();
    const QFontMetrics metrics(font);
    QTextLayout layout(shown, font);
    QTextOption option;
    // Words first; a word longer than a whole line is broken where the line ends.
    option.setWrapMode(wrapWidth >= 0 ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
        row.setLineWidth(wrapWidth >= 0 ? wrapWidth : QWIDGETSIZE_MAX);
        arrangement.lines.append({row.textStart(), row.textLength()});
        // An unwrapped line counts its trailing blanks, as the classic measure does; a wrapped
        // one ends where its last word does.
        QString rowText = shown.mid(row.textStart(), row.textLength());
        if (rowText.endsWith(QChar::LineSeparator))
            rowText.chop(1);
        const int width = wrapWidth >= 0 ? int(std::ceil(row.naturalTextWidth())) : metrics.horizontalAdvance(rowText);
        arrangement.width = std::max(arrangement.width, width);
    }
    layout.endLayout();
    if (arrangement.lines.isEmpty())
        arrangement.lines.append({0, 0});
    if (IsDoubleStruckBold(font) && arrangement.width > 0)
        arrangement.width += 1;
    return arrangement;
}

TLabel::Arrangement TLabel::FitInto(const QSize& box) const
{
    const int wrapWidth = wordWrap() ? box.width() : -1;
    const auto fits = [&](const Arrangement& a) { return a.width <= box.width() && a.Height() <= box.height(); };
    Arrangement arrangement = ArrangeIn(font(), wrapWidth);
    for (int size = QFontInfo(font()).pixelSize() - 1; !fits(arrangement) && size >= kSmallestPixelSize; --size)
        arrangement = ArrangeIn(ClassicFontAtPixelSize(font(), size), wrapWidth);
    return arrangement;
}

void TLabel::Arrange()
{
    if (arranging_)
        return;
    arranging_ = true;
    arranged_ = true;
    if (!autoSize_) {
        arrangement_ = FitInto(size());
    } else if (wordWrap()) {
        arrangement_ = FitInto(QSize(width(), maximumHeight()));
        resize(width(), arrangement_.Height());
    } else {
        arrangement_ = FitInto(QSize(maximumWidth(), maximumHeight()));
        resize(arrangement_.width, arrangement_.Height());
    }
    arranging_ = false;
    update();
}

QRect TLabel::TextRect() const
{
    return QRect(0, 0, arrangement_.width, arrangement_.Height());
}

QSize TLabel::sizeHint() const
{
    return arranged_ ? TextRect().size() : QLabel::sizeHint();
}

void TLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && arranged_)
        Arrange();
}

void TLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    // A fixed label fits its text anew into its new size; an auto-sized one decides its size itself.
    if (arranged_ && (!autoSize_ || (wordWrap() && event->size().width() != event->oldSize().width())))
        Arrange();
}

void TLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(arrangement_.font);
    const QString shown = ShownText();
    const bool doubleStruck = IsDoubleStruckBold(arrangement_.font);
    const auto drawLines = [&](const QColor& colour, int dx, int dy) {
        painter.setPen(colour);
        int top = dy;
        for (const auto& [start, length] : arrangement_.lines) {
            QString row = shown.mid(start, length);
            if (row.endsWith(QChar::LineSeparator))
                row.chop(1);
            painter.drawText(dx, top + arrangement_.ascent, row);
            if (doubleStruck)
                painter.drawText(dx + 1, top + arrangement_.ascent, row);
            top += arrangement_.lineHeight;
        }
    };
    if (!isEnabled() && style()->styleHint(QStyle::SH_EtchDisabledText, nullptr, this))
        drawLines(palette().color(QPalette::Disabled, QPalette::Light), 1, 1);
    drawLines(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()), 0, 0);
}

void TLabel::mousePressEvent(QMouseEvent* event)
{
    event->setAccepted(event->button() == Qt::LeftButton);
}

void TLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (IsLeftClickInside(this, event))
        Fire(OnClick, this);
}

void TLabel::mouseMoveEvent(QMouseEvent* event)
{
    FireMouseMove(OnMouseMove, this, event);
}

void TLabel::leaveEvent(QEvent*)
{
    Fire(OnMouseLeave, this);
}

// ---------------------------------------------------------------------------------------------
// TEdit

TEdit::TEdit(QWidget* parent) : TControl<QLineEdit>(parent) {}

void TEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (IsLeftClickInside(this, event))
        Fire(OnClick, this);
}

// ---------------------------------------------------------------------------------------------
// TSpinEdit

namespace {

// A whole text as a signed 32-bit integer: leading blanks, an optional sign, then decimal digits,
// or hexadecimal digits after "$", "x" or "0x". Nothing may follow the digits.
bool ParseWholeNumber(const QString& text, qint64& result)
{
    int i = 0;
    const int n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i < n && (text[i] == QLatin1Char('x') || text[i] == QLatin1Char('X'))) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0') && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return false;
    qint64 magnitude = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > qint64(std::numeric_limits<qint32>::max()) + 1)
            return false;
    }
    result = negative ? -magnitude : magnitude;
    return result >= std::numeric_limits<qint32>::min() && result <= std::numeric_limits<qint32>::max();
}

} // namespace

TSpinEdit::TSpinEdit(QWidget* parent)
    : TControl<QWidget>(parent), editor_(new QLineEdit(this)), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    editor_->setObjectName(QStringLiteral("editor"));
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up_, down_}) {
        // The arrows step the value without taking the focus from the text, as a spin box does.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setIconSize(QSize(7, 5));
    }
    QObject::connect(up_, &QToolButton::clicked, this, [this] { RunGuarded([this] { Step(+1); }); });
    QObject::connect(down_, &QToolButton::clicked, this, [this] { RunGuarded([this] { Step(-1); }); });
    editor_->installEventFilter(this);
    installEventFilter(this);
    setFocusProxy(editor_);
    setFocusPolicy(Qt::StrongFocus);
    editor_->setText(QString::number(min_));
}

int TSpinEdit::ValueFromText(const QString& text, int minValue)
{
    qint64 value = 0;
    return ParseWholeNumber(text, value) ? int(value) : minValue;
}

int TSpinEdit::Value() const
{
    return ValueFromText(editor_->text(), min_);
}

void TSpinEdit::SetValue(int value)
{
    if (max_ != min_)
        value = std::clamp(value, min_, max_);
    editor_->setText(QString::number(value));
}

QString TSpinEdit::Text() const
{
    return editor_->text();
}

void TSpinEdit::SetText(const QString& text)
{
    editor_->setText(text);
}

void TSpinEdit::SetBounds(int minValue, int maxValue)
{
    min_ = minValue;
    max_ = maxValue;
}

void TSpinEdit::ApplyLayout(const THandlerTable& handlers)
{
    ApplyCommonLayout(handlers);
    SetBounds(LayoutInt(this, "MinValue", min_), LayoutInt(this, "MaxValue", max_));
    if (property("Value").isValid())
        SetValue(LayoutInt(this, "Value", 0));
}

void TSpinEdit::Step(int delta)
{
    const qint64 next = qint64(Value()) + delta;
    SetValue(int(std::clamp<qint64>(next, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max())));
    editor_->selectAll();
}

void TSpinEdit::ClampToBounds()
{
    // Only a number outside the bounds is replaced: a text that is no number stays as typed and
    // reads as the minimum.
    qint64 value = 0;
    if (max_ != min_ && ParseWholeNumber(editor_->text(), value) && (value < min_ || value > max_))
        SetValue(int(value));
}

bool TSpinEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == this && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        // Keys sent to the box itself are meant for its text. A key the text passes on comes back
        // here on its way to the window; that one goes on as usual.
        static bool forwarding = false;
        if (forwarding)
            return false;
        forwarding = true;
        QCoreApplication::sendEvent(editor_, event);
        forwarding = false;
        return true;
    }
    if (watched != editor_)
        return TControl<QWidget>::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        ClampToBounds();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
        RunGuarded([&] { Step(key->key() == Qt::Key_Up ? +1 : -1); });
        return true;
    }
    const QString text = key->text();
    // Ctrl (with or without Shift) makes a command the text never types; with Alt held the text
    // would still type the character, so that goes through the filter like any other.
    const auto held = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (text.isEmpty() || key->key() == Qt::Key_Delete || held == Qt::ControlModifier)
        return false; // movement, editing and command keys type no character
    const QChar c = text.at(0);
    const QString decimal = QLocale::system().decimalPoint();
    const bool accepted = c.isDigit() && c.unicode() < 128 ? true
                          : c == QLatin1Char('+') || c == QLatin1Char('-') ? true
                          : decimal.size() == 1 && c == decimal.at(0)       ? true
                          : c.unicode() < 32 && c != QLatin1Char('\r') && c != QLatin1Char('\n');
    if (accepted)
        return false;
    QApplication::beep();
    return true;
}

void TSpinEdit::resizeEvent(QResizeEvent* event)
{
    const int w = event->size().width();
    const int h = event->size().height();
    const int arrows = std::min(16, w / 2);
    editor_->setGeometry(0, 0, w - arrows, h);
    up_->setGeometry(w - arrows, 0, arrows, h / 2);
    down_->setGeometry(w - arrows, h / 2, arrows, h - h / 2);
}

// ---------------------------------------------------------------------------------------------
// TComboBox

TComboBox::TComboBox(QWidget* parent) : TControl<QComboBox>(parent)
{
    setEditable(true);
    // Typed text is the user's: it is neither added to the list nor completed behind their back.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    QObject::connect(this, &QComboBox::currentIndexChanged, this, [this] { ShowFromStart(); });
}

void TComboBox::ShowFromStart()
{
    // An item wider than the box shows its beginning, not its end.
    if (QLineEdit* editor = lineEdit())
        editor->setCursorPosition(0);
}

int TComboBox::ItemIndex() const
{
    const QString text = currentText();
    for (int i = 0; i < count(); ++i)
        if (itemText(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TComboBox::SetItemIndex(int index)
{
    if (index < 0 || index >= count()) {
        setCurrentIndex(-1);
        setEditText(QString());
        return;
    }
    setCurrentIndex(index);
    setEditText(itemText(index));
    ShowFromStart();
}

void TComboBox::SetText(const QString& text)
{
    setEditText(text);
    ShowFromStart();
}

void TComboBox::ApplyLayout(const THandlerTable& handlers)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    ApplyCommonLayout(handlers);
    if (property("Text").isValid())
        setEditText(property("Text").toString());
    ShowFromStart();
}

// ---------------------------------------------------------------------------------------------
// TButton, TBitBtn

TButton::TButton(QWidget* parent) : TControl<QPushButton>(parent)
{
    // A button with the focus takes Enter itself, before the window's default button does.
    setAutoDefault(true);
    QObject::connect(this, &QPushButton::clicked, this, [this] { Click(); });
}

void TButton::Click()
{
    Fire(OnClick, this);
}

namespace {

// The OK kind's glyph: a green tick, drawn rather than shipped so the toolkit carries no artwork.
QIcon TickGlyph()
{
    QPixmap glyph(18, 18);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(0x00, 0x80, 0x00), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    const QPointF tick[] = {{3.0, 9.5}, {7.0, 13.5}, {15.0, 4.5}};
    painter.drawPolyline(tick, 3);
    painter.end();
    return QIcon(glyph);
}

} // namespace

TBitBtn::TBitBtn(QWidget* parent) : TButton(parent) {}

void TBitBtn::ApplyLayout(const THandlerTable& handlers)
{
    ApplyCommonLayout(handlers);
    const QString kind = property("Kind").toString();
    if (kind.isEmpty() || kind == QLatin1String("bkCustom"))
        return;
    if (kind != QLatin1String("bkOK"))
        throw Exception(QStringLiteral("%1: unknown button kind \"%2\"").arg(ControlName(this), kind));
    default_ = true;
    setIcon(TickGlyph());
    setIconSize(QSize(18, 18));
}

// ---------------------------------------------------------------------------------------------
// TMemo

void TMemoLines::Add(const QString& text)
{
    memo_.entries_.append(text);
    memo_.Render();
}

void TMemoLines::Clear()
{
    memo_.entries_.clear();
    memo_.Render();
}

int TMemoLines::Count() const
{
    return memo_.entries_.size();
}

QString TMemoLines::operator[](int index) const
{
    return memo_.entries_.value(index);
}

QString TMemoLines::Text() const
{
    return memo_.entries_.join(QStringLiteral("\r\n"));
}

TMemo::TMemo(QWidget* parent) : TControl<QTextEdit>(parent)
{
    setAcceptRichText(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QObject::connect(this, &QTextEdit::textChanged, this, [this] { TakeUserEdits(); });
}

void TMemo::keyPressEvent(QKeyEvent* event)
{
    QTextEdit::keyPressEvent(event);
    // Enter belongs to the memo, even a read-only one: it never presses the default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->accept();
}

void TMemo::Clear()
{
    entries_.clear();
    Render();
}

void TMemo::Render()
{
    QStringList shown;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    for (const QString& entry : entries_)
        shown += entry.split(lineBreak);
    rendering_ = true;
    setPlainText(shown.join(QLatin1Char('\n')));
    if (centred_) {
        QTextCursor cursor(document());
        cursor.select(QTextCursor::Document);
        QTextBlockFormat format;
        format.setAlignment(Qt::AlignHCenter);
        cursor.mergeBlockFormat(format);
    }
    rendering_ = false;
}

void TMemo::TakeUserEdits()
{
    if (rendering_)
        return;
    // The user typed into the memo: from now on its lines are what the document shows.
    entries_.clear();
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        entries_.append(block.text());
    if (entries_.size() == 1 && entries_.first().isEmpty())
        entries_.clear();
}

void TMemo::ApplyLayout(const THandlerTable& handlers)
{
    ApplyCommonLayout(handlers);
    setAcceptRichText(false);
    centred_ = property("Alignment").toString() == QLatin1String("taCenter");
    const QString scrollBars = property("ScrollBars").toString();
    const bool vertical = scrollBars == QLatin1String("ssVertical") || scrollBars == QLatin1String("ssBoth");
    const bool horizontal = scrollBars == QLatin1String("ssHorizontal") || scrollBars == QLatin1String("ssBoth");
    // A memo nobody can type in still shows all of its text: a scroll bar comes when the text is
    // taller than the memo, and goes with it.
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn
                               : isReadOnly() ? Qt::ScrollBarAsNeeded
                                              : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    if (horizontal)
        setLineWrapMode(QTextEdit::NoWrap);
    const QVariant lines = property("Lines");
    if (lines.isValid())
        entries_ = lines.toStringList();
    Render();
}

// ---------------------------------------------------------------------------------------------
// TProgressBar

TProgressBar::TProgressBar(QWidget* parent) : TControl<QWidget>(parent) {}

void TProgressBar::SetPosition(int position)
{
    position_ = std::clamp(position, min_, std::max(min_, max_));
    update();
}

void TProgressBar::ApplyLayout(const THandlerTable& handlers)
{
    ApplyCommonLayout(handlers);
    min_ = LayoutInt(this, "Min", min_);
    max_ = LayoutInt(this, "Max", max_);
    vertical_ = property("Orientation").toString() == QLatin1String("pbVertical");
    SetPosition(LayoutInt(this, "Position", position_));
}

void TProgressBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), pal.color(QPalette::Button));
    qDrawShadePanel(&painter, rect(), pal, true, 1);
    const QRect inside = rect().adjusted(2, 2, -2, -2);
    if (max_ <= min_ || inside.isEmpty())
        return;
    const double share = double(position_ - min_) / double(max_ - min_);
    QRect filled = inside;
    if (vertical_) {
        const int h = int(inside.height() * share + 0.5);
        filled.setTop(inside.bottom() - h + 1);
    } else {
        filled.setWidth(int(inside.width() * share + 0.5));
    }
    if (!filled.isEmpty())
        painter.fillRect(filled, pal.color(QPalette::Active, QPalette::Highlight));
}

// ---------------------------------------------------------------------------------------------
// TTimer

namespace {
bool timersManual = false;
}

void SetTimersManualForTesting(bool manual)
{
    timersManual = manual;
}

TTimer::TTimer(QWidget* parent) : TControl<QWidget>(parent)
{
    setVisible(false);
    QObject::connect(&clock_, &QTimer::timeout, this, [this] {
        if (!timersManual && !PauseInProgress())
            Tick();
    });
    Restart();
}

void TTimer::SetInterval(int ms)
{
    interval_ = ms;
    Restart();
}

void TTimer::SetTimerEnabled(bool enabled)
{
    enabled_ = enabled;
    Restart();
}

void TTimer::Tick()
{
    Fire(OnTimer, this);
}

void TTimer::Restart()
{
    clock_.stop();
    // As the classic timer: an interval of 0 means no ticks at all.
    if (enabled_ && interval_ > 0)
        clock_.start(interval_);
}

void TTimer::ApplyLayout(const THandlerTable& handlers)
{
    ApplyCommonLayout(handlers);
    OnTimer = LookUpHandler(this, "OnTimer", handlers.notify);
    interval_ = LayoutInt(this, "Interval", interval_);
    enabled_ = LayoutBool(this, "Enabled", enabled_);
    setVisible(false);
    Restart();
}
