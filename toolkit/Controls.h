#pragma once

#include "toolkit/Colors.h"
#include "toolkit/Events.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QStringList>
#include <QTextEdit>
#include <QTimer>
#include <QVector>
#include <QWidget>

class QToolButton;

// Stored layouts are Qt Designer files. Geometry, captions (`text`), fonts, `visible`, `enabled`,
// `wordWrap`, `maxLength`, `readOnly`, `cursor` and combo-box items are standard Qt properties; what
// Qt has no property for is written as a dynamic property (stdset="0") with the classic name and
// read when the form binds its layout:
//   every control : Tag (int), Color, FontColor (colour names, see Colors.h),
//                   OnClick, OnMouseMove, OnMouseLeave (handler names)
//   TImage        : Picture (resource path, e.g. ":/pictures/trevo.png"), Stretch (bool)
//   TLabel        : Transparent (bool; a label paints its Color only when given one and not transparent),
//                   AutoSize (bool, default true)
//   TBitBtn       : Kind ("bkOK": the form's default button, with the green tick glyph)
//   TSpinEdit     : MinValue, MaxValue, Value (int)
//   TMemo         : Lines (stringlist), Alignment ("taCenter"), ScrollBars ("ssNone")
//   TProgressBar  : Min, Max, Position (int), Orientation ("pbVertical"), Smooth (bool)
//   TTimer        : Interval (ms, default 1000), Enabled (bool, default true), OnTimer
//   TMediaPlayer  : FileName (relative to the working directory; "\" separates folders)
//   form itself   : OnCreate, OnShow, BorderIcons ("biSystemMenu,biMinimize"), Color, FontColor

// Implemented by every toolkit control, so the form can apply its layout and bind its events.
class TLayoutAware {
public:
    virtual ~TLayoutAware() = default;
    // Applies the dynamic layout properties and binds the handlers they name. A handler name
    // missing from the table raises Exception.
    virtual void ApplyLayout(const THandlerTable& handlers) = 0;
    // Windowed controls (edits, buttons, memo, bars, browser) stack above pictures and labels.
    virtual bool IsWindowed() const = 0;
};

// What every control offers, under the classic names.
template <class Base>
class TControl : public Base, public TLayoutAware {
public:
    using Base::Base;

    int Tag() const { return this->property("Tag").toInt(); }
    void SetTag(int tag) { this->setProperty("Tag", tag); }
    int Left() const { return this->x(); }
    int Top() const { return this->y(); }
    int Width() const { return this->width(); }
    int Height() const { return this->height(); }
    void SetLeft(int left) { this->move(left, this->y()); }
    void SetTop(int top) { this->move(this->x(), top); }
    // The control's own flags, whatever its window's state.
    bool Visible() const { return !this->isHidden(); }
    void SetVisible(bool visible) { this->setVisible(visible); }
    bool Enabled() const { return !this->testAttribute(Qt::WA_ForceDisabled); }
    // A focused control that is disabled leaves the keyboard with no control, rather than handing
    // it on: a key meant for a used button must not press its neighbour.
    void SetEnabled(bool enabled)
    {
        if (!enabled && this->hasFocus())
            this->clearFocus();
        this->setEnabled(enabled);
    }
    void SetFocus() { this->setFocus(Qt::OtherFocusReason); }

    TColor Color() const;
    void SetColor(const TColor& color);
    TColor FontColor() const;
    void SetFontColor(const TColor& color);

    TNotifyEvent OnClick;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseLeave;

    void ApplyLayout(const THandlerTable& handlers) override;
    bool IsWindowed() const override { return true; }

protected:
    // Reads Tag, Color, FontColor and the three mouse events; subclasses extend it.
    void ApplyCommonLayout(const THandlerTable& handlers);
    // Called after Color changed: decides whether the control fills its background.
    virtual void ColorChanged();
    bool hasOwnColor_ = false;
};

// A picture. Unscaled pictures are drawn at the top left; stretched ones fill the control.
class TImage : public TControl<QWidget> {
    Q_OBJECT

public:
    explicit TImage(QWidget* parent = nullptr);

    const QPixmap& Picture() const { return picture_; }
    // The resource the picture came from (":/pictures/…"), or empty.
    const QString& PictureName() const { return pictureName_; }
    void LoadPicture(const QString& resource);
    // Picture.Assign: the picture and its name are copied from another image.
    void AssignPicture(const TImage& from);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);

    void ApplyLayout(const THandlerTable& handlers) override;
    bool IsWindowed() const override { return false; }

protected:
    void ColorChanged() override {}
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPixmap picture_;
    QString pictureName_;
    bool stretch_ = false;
};

// A caption. Always plain text: a player's name or a question is never read as markup.
// An auto-sized label (the default; a layout fixes one with AutoSize false) takes the size of its
// text, growing right and down from where it stands, up to its maximum width; with word wrap on it
// keeps its width and takes the height of its lines. A line is as high as the classic platform
// makes it (ClassicLineMetrics). A text that does not fit its box (a fixed label's size, an
// auto-sized one's maximum width) is fitted into it: wrapped at words when word wrap is on, long
// words broken anywhere, then drawn a pixel smaller at a time, down to a floor. A text that fits
// is drawn in the label's own font.
class TLabel : public TControl<QLabel> {
    Q_OBJECT

public:
    explicit TLabel(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    // The font the caption is drawn in: the label's own unless the text had to be made smaller.
    QFont ShownFont() const { return arranged_ ? arrangement_.font : font(); }
    // The part of the label the caption's lines cover.
    QRect TextRect() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    void ApplyLayout(const THandlerTable& handlers) override;
    bool IsWindowed() const override { return false; }

    // The smallest pixel height a text is made to fit in.
    static constexpr int kSmallestPixelSize = 6;

protected:
    void ColorChanged() override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Arrangement {
        QFont font;
        QVector<QPair<int, int>> lines; // start and length in ShownText()
        int width = 0;                  // of the widest line, with the bold's overhang
        int lineHeight = 0;
        int ascent = 0;
        int Height() const { return int(lines.size()) * lineHeight; }
    };
    QString ShownText() const;
    Arrangement ArrangeIn(const QFont& font, int wrapWidth) const;
    Arrangement FitInto(const QSize& box) const;
    void Arrange();
    bool transparent_ = true;
    bool autoSize_ = true;
    bool arranged_ = false;
    bool arranging_ = false;
    Arrangement arrangement_;
};

class TEdit : public TControl<QLineEdit> {
    Q_OBJECT

public:
    explicit TEdit(QWidget* parent = nullptr);

    QString Text() const { return text(); }
    void SetText(const QString& text) { setText(text); }
    void Clear() { clear(); }
    int MaxLength() const { return maxLength(); }
    void SetMaxLength(int length) { setMaxLength(length); }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A number box with arrow buttons. Its value is its whole text read as a signed 32-bit integer
// (decimal, or hexadecimal after "$", "x" or "0x"); anything else reads as MinValue. Typed keys are
// filtered, pasted text is not; the arrows and Up/Down step within the bounds; leaving the box
// clamps the text to the bounds.
class TSpinEdit : public TControl<QWidget> {
    Q_OBJECT

public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    int Value() const;
    void SetValue(int value);
    QString Text() const;
    void SetText(const QString& text);
    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    void SetBounds(int minValue, int maxValue);
    QLineEdit* Editor() const { return editor_; }

    // The value a text reads as, by the rules above.
    static int ValueFromText(const QString& text, int minValue);

    void ApplyLayout(const THandlerTable& handlers) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Step(int delta);
    void ClampToBounds();
    QLineEdit* editor_;
    QToolButton* up_;
    QToolButton* down_;
    int min_ = 0;
    int max_ = 100;
};

// An editable drop-down. ItemIndex is -1 when the text matches no item. A chosen item shows
// from its start.
class TComboBox : public TControl<QComboBox> {
    Q_OBJECT

public:
    explicit TComboBox(QWidget* parent = nullptr);

    int ItemIndex() const;
    void SetItemIndex(int index);
    QString Text() const { return currentText(); }
    void SetText(const QString& text);

    void ApplyLayout(const THandlerTable& handlers) override;

private:
    void ShowFromStart();
};

class TButton : public TControl<QPushButton> {
    Q_OBJECT

public:
    explicit TButton(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    // Runs OnClick through the guard, as a mouse click or Space would.
    void Click();
};

// A button with a glyph; of the OK kind it is its form's default button (Enter presses it).
class TBitBtn : public TButton {
    Q_OBJECT

public:
    explicit TBitBtn(QWidget* parent = nullptr);
    bool IsDefaultButton() const { return default_; }
    void ApplyLayout(const THandlerTable& handlers) override;

private:
    bool default_ = false;
};

class TMemo;

// The memo's lines, as the classic string list: Add appends one entry whose CR LF (or lone CR or
// LF) pieces show as separate lines; Text() gives back exactly what was added, joined by CR LF.
class TMemoLines {
public:
    explicit TMemoLines(TMemo& memo) : memo_(memo) {}
    void Add(const QString& text);
    void Clear();
    int Count() const;
    QString operator[](int index) const;
    QString Text() const;

private:
    TMemo& memo_;
};

class TMemo : public TControl<QTextEdit> {
    Q_OBJECT

public:
    explicit TMemo(QWidget* parent = nullptr);

    TMemoLines& Lines() { return lines_; }
    const TMemoLines& Lines() const { return lines_; }
    void Clear();

    void ApplyLayout(const THandlerTable& handlers) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class TMemoLines;
    void Render();
    void TakeUserEdits();
    QStringList entries_;
    bool centred_ = false;
    bool rendering_ = false;
    TMemoLines lines_{*this};
};

// A smooth bar; positions outside Min..Max are held at the nearest bound.
class TProgressBar : public TControl<QWidget> {
    Q_OBJECT

public:
    explicit TProgressBar(QWidget* parent = nullptr);

    int Position() const { return position_; }
    void SetPosition(int position);
    int Min() const { return min_; }
    int Max() const { return max_; }
    bool Vertical() const { return vertical_; }

    void ApplyLayout(const THandlerTable& handlers) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    bool vertical_ = false;
};

// A timer that lives in the layout; it is a hidden control so the layout can hold it. Its ticks
// run OnTimer through the guard. During a blocking pause no tick is handled, and the ticks missed
// are not made up.
class TTimer : public TControl<QWidget> {
    Q_OBJECT

public:
    explicit TTimer(QWidget* parent = nullptr);

    int Interval() const { return interval_; }
    void SetInterval(int ms);
    bool TimerEnabled() const { return enabled_; }
    void SetTimerEnabled(bool enabled);
    // Runs one tick now, as the clock would.
    void Tick();

    TNotifyEvent OnTimer;

    void ApplyLayout(const THandlerTable& handlers) override;
    bool IsWindowed() const override { return false; }

private:
    void Restart();
    QTimer clock_;
    int interval_ = 1000;
    bool enabled_ = true;
};

// Test seam: when on, no timer ticks by the clock; tests call TTimer::Tick().
void SetTimersManualForTesting(bool manual);
