#include "SampleForm.h"
#include "support/Harness.h"

#include "toolkit/ClassicFonts.h"
#include "toolkit/Exception.h"

#include <QApplication>
#include <QFontInfo>
#include <QLocale>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

QString WritePicture(const QTemporaryDir& dir, const QString& name, const QColor& color)
{
    QImage picture(8, 6, QImage::Format_ARGB32);
    picture.fill(color);
    const QString path = dir.filePath(name);
    picture.save(path);
    return path;
}

class Controls : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.Show();
        QApplication::setActiveWindow(&form);
    }
    Harness harness;
    SampleForm form;
};

TEST_F(Controls, LabelShowsPlainTextTakesLeftClicksAndFollowsThePointer)
{
    EXPECT_EQ(form.Label1->Caption(), "<b>Caption</b>");
    EXPECT_EQ(form.Label1->textFormat(), Qt::PlainText) << "a caption is never read as markup";
    EXPECT_EQ(form.Label1->Tag(), 3);
    EXPECT_EQ(form.Label1->Color(), clSilver);
    EXPECT_TRUE(form.Label1->autoFillBackground()) << "an opaque label with a colour paints it";
    EXPECT_FALSE(form.Label2->autoFillBackground()) << "a transparent label shows what lies beneath";
    EXPECT_EQ(form.Label1->FontColor(), clBlack);

    Harness::Click(form.Label1);
    QTest::mouseClick(form.Label1, Qt::RightButton);
    EXPECT_EQ(form.log.count("LabelClick Label1"), 1) << "only the left button clicks";
    form.log.clear();
    Harness::MoveMouseOver(form.Label1);
    Harness::LeaveWidget(form.Label1);
    const QPoint centre = form.Label1->rect().center();
    EXPECT_EQ(form.log, (QStringList{QStringLiteral("LabelMouseMove Label1 %1,%2").arg(centre.x()).arg(centre.y()),
                                     "LabelLeave Label1"}));

    form.Label1->SetFontColor(clBlue);
    EXPECT_EQ(form.Label1->FontColor(), clBlue);
    EXPECT_EQ(form.Label1->palette().color(QPalette::Active, QPalette::WindowText), clBlue);
}

TEST_F(Controls, DisabledLabelTakesNoClickAndLooksDisabled)
{
    Harness::Click(form.Label2);
    EXPECT_EQ(form.log.count("LabelClick Label2"), 0);
    EXPECT_FALSE(form.Label2->Enabled());
    form.Label2->SetEnabled(true);
    Harness::Click(form.Label2);
    EXPECT_EQ(form.log.count("LabelClick Label2"), 1);

    // A disabled label keeps the disabled text colour even after its font colour was set.
    form.Label1->SetEnabled(false);
    const QColor disabled = form.Label1->palette().color(QPalette::Disabled, QPalette::WindowText);
    EXPECT_NE(disabled, form.Label1->FontColor());
    Harness::Click(form.Label1);
    EXPECT_EQ(form.log.count("LabelClick Label1"), 0);
}

// A text too big for its label's box is fitted into it: wrapped at words, a word longer than a
// line broken anywhere, and only then drawn smaller. A text that fits keeps the label's font.
TEST(LabelFit, TextIsFittedIntoItsBoxAndSmallerOnlyWhenItMustBe)
{
    const QString words = QStringLiteral("Quantos livros tem a Biblia? ").repeated(4);
    const struct {
        const char* what;
        QFont font;
        bool autoSize;
        QSize box; // a fixed label's size; an auto-sized one's largest
        QString text;
        bool keepsFont;
    } cases[] = {
        {"a short text in a fixed box", QFont("Fixedsys", 9), false, {120, 45}, "Short", true},
        {"a long word broken where lines end", QFont("Fixedsys", 9), false, {120, 45}, QString(30, QChar('W')), true},
        {"many words drawn smaller", QFont("Fixedsys", 9), false, {120, 45}, words, false},
        {"an amount wider than the room it may grow into", QFont("MS Sans Serif", 12, QFont::Bold), true, {60, 40},
         "R$ 500.000,00", false},
        {"an amount within that room", QFont("MS Sans Serif", 12, QFont::Bold), true, {200, 40}, "R$ 500.000,00", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TLabel label;
        label.setFont(ClassicFont(c.font));
        label.setWordWrap(!c.autoSize);
        if (c.autoSize)
            label.setMaximumSize(c.box);
        else
            label.resize(c.box);
        label.SetAutoSize(c.autoSize);
        label.SetCaption(c.text);
        EXPECT_LE(label.width(), c.box.width());
        EXPECT_LE(label.height(), c.box.height());
        EXPECT_TRUE(label.rect().contains(label.TextRect())) << "the text is cut";
        EXPECT_EQ(label.ShownFont() == label.font(), c.keepsFont);
        EXPECT_GE(QFontInfo(label.ShownFont()).pixelSize(), TLabel::kSmallestPixelSize);
        if (c.autoSize) {
            EXPECT_EQ(label.size(), label.TextRect().size()) << "an auto-sized label is as big as its text";
        }
        // A short caption afterwards is drawn in the label's own font again.
        label.SetCaption("Ok");
        EXPECT_EQ(label.ShownFont(), label.font());
    }
}

TEST_F(Controls, ImageClickAndPictureAssign)
{
    QTemporaryDir dir;
    const QString red = WritePicture(dir, "red.png", Qt::red);
    form.Image2->LoadPicture(red);
    EXPECT_EQ(form.Image2->PictureName(), red);
    form.Image1->AssignPicture(*form.Image2);
    EXPECT_EQ(form.Image1->PictureName(), red);
    EXPECT_EQ(form.Image1->Picture().toImage(), form.Image2->Picture().toImage());

    // Stretched: the whole control shows the picture.
    const QImage shot = form.Image1->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(shot.width() - 2, shot.height() - 2)), QColor(Qt::red));

    // The click lands on the background picture where nothing windowed covers it.
    const QPoint free(395, 5);
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, free);
    EXPECT_EQ(form.log.count("ImageClick Image1"), 1);

    EXPECT_THROW(form.Image2->LoadPicture(dir.filePath("missing.png")), Exception);
}

TEST(ControlsLayout, PictureNamedInTheLayoutIsLoadedAndABadOneIsAnError)
{
    Harness harness;
    QTemporaryDir dir;
    const QString green = WritePicture(dir, "green.png", Qt::green);
    SampleForm form(nullptr, {[&](SampleForm& f) { f.Image2->setProperty("Picture", green); }, {}});
    EXPECT_EQ(form.Image2->PictureName(), green);
    EXPECT_EQ(form.Image2->Picture().size(), QSize(8, 6));
    EXPECT_FALSE(form.Image2->Stretch());

    EXPECT_THROW(SampleForm(nullptr, {[&](SampleForm& f) { f.Image2->setProperty("Picture", dir.filePath("none.png")); }, {}}),
                 Exception);
    EXPECT_THROW(SampleForm(nullptr, {[](SampleForm& f) { f.Label1->setProperty("Color", "clPurpleHaze"); }, {}}), Exception);
}

TEST(ControlsLayout, WindowFontColourIsEveryControlsUnlessItHasItsOwn)
{
    Harness harness;
    SampleForm form(nullptr, {[](SampleForm& f) { f.setProperty("FontColor", "clYellow"); }, {}});
    EXPECT_EQ(form.Label2->palette().color(QPalette::Active, QPalette::WindowText), clYellow);
    EXPECT_EQ(form.Edit1->palette().color(QPalette::Active, QPalette::Text), clYellow);
    EXPECT_EQ(form.Label1->FontColor(), clBlack) << "the label's own colour wins";
    EXPECT_EQ(form.palette().color(QPalette::Window), clBtnFace);
    EXPECT_THROW(SampleForm(nullptr, {[](SampleForm& f) { f.setProperty("FontColor", "yellowish"); }, {}}), Exception);
    EXPECT_THROW(SampleForm(nullptr, {[](SampleForm& f) { f.setProperty("BorderIcons", "biSystemMenu,biClose"); }, {}}), Exception);
}

TEST_F(Controls, UnscaledPictureStandsAtTheTopLeft)
{
    QTemporaryDir dir;
    form.Image1->LoadPicture(WritePicture(dir, "blue.png", Qt::blue));
    form.Image1->SetStretch(false);
    const QImage shot = form.Image1->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(1, 1)), QColor(Qt::blue));
    EXPECT_NE(QColor(shot.pixel(20, 20)), QColor(Qt::blue));
}

TEST_F(Controls, EditClickAndMaxLength)
{
    Harness::Type(form.Edit1, "abcdefgh");
    EXPECT_EQ(form.Edit1->Text(), "abcde");
    Harness::Click(form.Edit1);
    EXPECT_EQ(form.log.count("EditClick Edit1"), 1);
}

// The value is the whole text read as a 32-bit integer; anything else reads as the minimum.
TEST_F(Controls, SpinEditValueOfEveryText)
{
    const struct {
        QString text;
        int value;
        QString afterLeaving; // the text once the focus has left the box
    } cases[] = {
        {"", 1, ""},
        {"3", 3, "3"},
        {"7", 7, "4"},
        {"-3", -3, "1"},
        {"0", 0, "1"},
        {"$A", 10, "4"},
        {"-$A", -10, "1"},
        {"$2", 2, "$2"},
        {"0x3", 3, "0x3"},
        {"x3", 3, "x3"},
        {"0X4", 4, "0X4"},
        {" 2", 2, " 2"},
        {"+2", 2, "+2"},
        {"2 ", 1, "2 "},
        {"1.5", 1, "1.5"},
        {"+", 1, "+"},
        {"-", 1, "-"},
        {"$", 1, "$"},
        {"0x", 1, "0x"},
        {"$G", 1, "$G"},
        {"2147483647", 2147483647, "4"},
        {"-2147483648", -2147483647 - 1, "1"},
        {"2147483648", 1, "2147483648"},
        {"99999999999", 1, "99999999999"},
        {"abc", 1, "abc"},
    };
    for (const auto& c : cases) {
        form.SpinEdit1->SetText(c.text);
        EXPECT_EQ(form.SpinEdit1->Value(), c.value) << "text \"" << c.text.toStdString() << "\"";
        form.SpinEdit1->SetFocus();
        Harness::Click(form.Button1); // the focus goes to the button, as a player's click takes it
        EXPECT_EQ(form.SpinEdit1->Text(), c.afterLeaving) << "text \"" << c.text.toStdString() << "\"";
    }
}

TEST_F(Controls, SpinEditTypingAcceptsOnlyNumberKeys)
{
    form.SpinEdit1->SetText("");
    Harness::Type(form.SpinEdit1, "1a2 b+-");
    const QString decimal = QLocale::system().decimalPoint();
    Harness::Type(form.SpinEdit1, decimal + "x$");
    EXPECT_EQ(form.SpinEdit1->Text(), "12+-" + decimal);
    Harness::Key(form.SpinEdit1, Qt::Key_Backspace);
    EXPECT_EQ(form.SpinEdit1->Text(), "12+-");
    // Editing and command keys are not typed characters and pass as they are.
    Harness::Key(form.SpinEdit1, Qt::Key_Home);
    Harness::Key(form.SpinEdit1, Qt::Key_Delete);
    EXPECT_EQ(form.SpinEdit1->Text(), "2+-");
    Harness::Key(form.SpinEdit1, Qt::Key_A, Qt::ControlModifier);
    Harness::Key(form.SpinEdit1, Qt::Key_Delete);
    EXPECT_EQ(form.SpinEdit1->Text(), "");

    // Holding Alt (alone or with Ctrl or Shift) does not sneak a letter past the filter.
    for (const Qt::KeyboardModifiers held :
         {Qt::KeyboardModifiers(Qt::AltModifier), Qt::AltModifier | Qt::ControlModifier, Qt::AltModifier | Qt::ShiftModifier}) {
        for (const Qt::Key key : {Qt::Key_A, Qt::Key_X, Qt::Key_Dollar})
            Harness::Key(form.SpinEdit1, key, held);
        EXPECT_EQ(form.SpinEdit1->Text(), "") << "modifiers " << int(held);
    }

    // Enter is refused: it neither edits the box nor presses the window's default button.
    form.SpinEdit1->SetText("2");
    Harness::Key(form.SpinEdit1, Qt::Key_Return);
    EXPECT_EQ(form.SpinEdit1->Text(), "2");
    EXPECT_EQ(form.log.count("OkClick BitBtn1"), 0);
}

TEST_F(Controls, SpinEditStepsWithinItsBounds)
{
    const QList<QToolButton*> arrows = form.SpinEdit1->findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    QToolButton* up = arrows[0]->arrowType() == Qt::UpArrow ? arrows[0] : arrows[1];
    QToolButton* down = up == arrows[0] ? arrows[1] : arrows[0];

    const struct {
        QString start;
        QList<int> keys;
        QString result;
    } cases[] = {
        {"3", {Qt::Key_Up}, "4"},
        {"3", {Qt::Key_Up, Qt::Key_Up, Qt::Key_Up}, "4"},
        {"2", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}, "1"},
        {"7", {Qt::Key_Down}, "4"},
        {"-5", {Qt::Key_Up}, "1"},
        {"abc", {Qt::Key_Up}, "2"},
        {"", {Qt::Key_Down}, "1"},
    };
    for (const auto& c : cases) {
        form.SpinEdit1->SetText(c.start);
        for (int key : c.keys)
            Harness::Key(form.SpinEdit1, key);
        EXPECT_EQ(form.SpinEdit1->Text(), c.result) << "from \"" << c.start.toStdString() << "\" by keys";
        form.SpinEdit1->SetText(c.start);
        for (int key : c.keys)
            Harness::Click(key == Qt::Key_Up ? up : down);
        EXPECT_EQ(form.SpinEdit1->Text(), c.result) << "from \"" << c.start.toStdString() << "\" by arrows";
    }
    form.SpinEdit1->SetValue(9);
    EXPECT_EQ(form.SpinEdit1->Value(), 4);
}

TEST_F(Controls, ComboBoxItemIndexFollowsTheTypedText)
{
    EXPECT_EQ(form.ComboBox1->ItemIndex(), 0);
    EXPECT_EQ(form.ComboBox1->Text(), "First item");
    form.ComboBox1->SetItemIndex(-1);
    EXPECT_EQ(form.ComboBox1->Text(), "");
    EXPECT_EQ(form.ComboBox1->ItemIndex(), -1);

    Harness::Type(form.ComboBox1, "third ITEM");
    EXPECT_EQ(form.ComboBox1->Text(), "third ITEM") << "typed text is not completed";
    EXPECT_EQ(form.ComboBox1->ItemIndex(), 2);
    Harness::Type(form.ComboBox1, "s");
    EXPECT_EQ(form.ComboBox1->ItemIndex(), -1);
    Harness::Key(form.ComboBox1, Qt::Key_Return);
    EXPECT_EQ(form.ComboBox1->count(), 3) << "typed text is never added to the list";

    form.ComboBox1->SetItemIndex(1);
    EXPECT_EQ(form.ComboBox1->Text(), "Second item");
    EXPECT_EQ(form.ComboBox1->ItemIndex(), 1);
    form.ComboBox1->SetText("Nothing like it");
    EXPECT_EQ(form.ComboBox1->ItemIndex(), -1);
}

TEST_F(Controls, EnterPressesTheVisibleEnabledDefaultButton)
{
    EXPECT_TRUE(form.BitBtn1->IsDefaultButton());
    EXPECT_FALSE(form.BitBtn1->icon().isNull()) << "the OK kind carries its tick";

    const struct {
        const char* what;
        std::function<void()> setUp;
        QWidget* target;
        int key;
        Qt::KeyboardModifiers modifiers;
        int presses;
    } cases[] = {
        {"Return in the edit", [] {}, form.Edit1, Qt::Key_Return, Qt::NoModifier, 1},
        {"keypad Enter", [] {}, form.Edit1, Qt::Key_Enter, Qt::KeypadModifier, 1},
        {"Shift+Return", [] {}, form.Edit1, Qt::Key_Return, Qt::ShiftModifier, 0},
        {"Ctrl+Return", [] {}, form.Edit1, Qt::Key_Return, Qt::ControlModifier, 0},
        {"Alt+Return", [] {}, form.Edit1, Qt::Key_Return, Qt::AltModifier, 0},
        {"hidden button", [&] { form.BitBtn1->SetVisible(false); }, form.Edit1, Qt::Key_Return, Qt::NoModifier, 0},
        {"disabled button", [&] { form.BitBtn1->SetEnabled(false); }, form.Edit1, Qt::Key_Return, Qt::NoModifier, 0},
        {"Return in an editable memo", [&] { form.Memo1->setReadOnly(false); }, form.Memo1, Qt::Key_Return, Qt::NoModifier, 0},
        {"Return in a read-only memo", [&] { form.Memo1->setReadOnly(true); }, form.Memo1, Qt::Key_Return, Qt::NoModifier, 0},
        {"Return on another focused button", [] {}, form.Button1, Qt::Key_Return, Qt::NoModifier, 0},
    };
    for (const auto& c : cases) {
        form.BitBtn1->SetVisible(true);
        form.BitBtn1->SetEnabled(true);
        c.setUp();
        form.log.clear();
        Harness::Key(c.target, c.key, c.modifiers);
        EXPECT_EQ(form.log.count("OkClick BitBtn1"), c.presses) << c.what;
    }
    EXPECT_EQ(form.log, QStringList{"ButtonClick Button1"}) << "the focused button took its own Enter";
}

TEST_F(Controls, MemoKeepsEveryEntryExactlyAndShowsItsPiecesAsLines)
{
    EXPECT_EQ(form.Memo1->Lines().Count(), 2) << "the layout's lines";
    EXPECT_EQ(form.Memo1->Lines()[1], "second line");
    form.Memo1->Lines().Clear();
    form.Memo1->Lines().Add("one\r\ntwo");
    form.Memo1->Lines().Add("three\rfour");
    form.Memo1->Lines().Add("five\nsix");
    form.Memo1->Lines().Add("");
    ASSERT_EQ(form.Memo1->Lines().Count(), 4);
    EXPECT_EQ(form.Memo1->Lines()[0], "one\r\ntwo");
    EXPECT_EQ(form.Memo1->Lines()[1], "three\rfour");
    EXPECT_EQ(form.Memo1->Lines().Text(), "one\r\ntwo\r\nthree\rfour\r\nfive\nsix\r\n");
    EXPECT_EQ(form.Memo1->toPlainText(), "one\ntwo\nthree\nfour\nfive\nsix\n");
    for (QTextBlock block = form.Memo1->document()->begin(); block.isValid(); block = block.next())
        EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter) << block.text().toStdString();

    form.Memo1->Clear();
    EXPECT_EQ(form.Memo1->Lines().Count(), 0);
    EXPECT_EQ(form.Memo1->toPlainText(), "");
}

TEST_F(Controls, EditedMemoLinesFollowWhatTheUserTyped)
{
    form.Memo1->setReadOnly(false);
    form.Memo1->Clear();
    form.Memo1->Lines().Add("a\r\nb");
    form.Memo1->moveCursor(QTextCursor::End);
    Harness::Type(form.Memo1, "c");
    Harness::Key(form.Memo1, Qt::Key_Return);
    Harness::Type(form.Memo1, "d");
    EXPECT_EQ(form.Memo1->Lines().Count(), 3);
    EXPECT_EQ(form.Memo1->Lines().Text(), "a\r\nbc\r\nd");
}

TEST_F(Controls, ProgressBarHoldsItsBoundsAndFillsFromTheBottom)
{
    const struct {
        int asked, held;
    } cases[] = {{40, 40}, {100, 100}, {150, 100}, {-5, 0}, {0, 0}};
    for (const auto& c : cases) {
        form.ProgressBar1->SetPosition(c.asked);
        EXPECT_EQ(form.ProgressBar1->Position(), c.held) << c.asked;
    }
    EXPECT_TRUE(form.ProgressBar1->Vertical());
    form.ProgressBar1->SetPosition(50);
    const QImage shot = form.ProgressBar1->grab().toImage();
    const QColor fill = form.ProgressBar1->palette().color(QPalette::Active, QPalette::Highlight);
    const int x = shot.width() / 2;
    EXPECT_EQ(QColor(shot.pixel(x, shot.height() - 5)), fill);
    EXPECT_EQ(QColor(shot.pixel(x, shot.height() / 2 + 5)), fill);
    EXPECT_NE(QColor(shot.pixel(x, 5)), fill);
    EXPECT_NE(QColor(shot.pixel(x, shot.height() / 2 - 5)), fill);
}

TEST(Colors, ClassicNamesAndHexadecimal)
{
    const struct {
        const char* name;
        QColor color;
    } cases[] = {
        {"clBlack", QColor(0, 0, 0)},          {"clWhite", QColor(255, 255, 255)},  {"clYellow", QColor(255, 255, 0)},
        {"clSilver", QColor(192, 192, 192)},   {"clGray", QColor(128, 128, 128)},   {"clNavy", QColor(0, 0, 128)},
        {"clBlue", QColor(0, 0, 255)},         {"clRed", QColor(255, 0, 0)},        {"clGreen", QColor(0, 128, 0)},
        {"clBtnFace", QColor(240, 240, 240)},  {"clWindowText", QColor(0, 0, 0)},   {"clAppWorkSpace", QColor(171, 171, 171)},
        {"clWindow", QColor(255, 255, 255)},   {"#12ab9F", QColor(0x12, 0xab, 0x9f)}, {" clsilver ", QColor(192, 192, 192)},
        {"clPink", QColor()},                  {"#12345", QColor()},                {"#12345g", QColor()},
        {"", QColor()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColorFromName(c.name), c.color) << c.name;
    EXPECT_EQ(RGB(0, 0, 255), clBlue);
}

} // namespace
