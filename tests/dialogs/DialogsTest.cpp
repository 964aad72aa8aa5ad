#include "Dialogs.h"
#include "support/Harness.h"

#include "toolkit/Application.h"
#include "toolkit/Controls.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Set = std::initializer_list<DialogButton>;

// Every way to end a dialog of each set the game uses, and what the caller gets back.
TEST(MessageDialog, ResultOfEverySetAndEveryWayToCloseIt)
{
    const struct {
        const char* way;
        Set buttons;
        std::function<void(Harness&)> answer;
        int result;
    } cases[] = {
        {"Enter", {DialogButton::OK}, [](Harness& h) { h.AnswerNextDialogWithKey(Qt::Key_Return); }, 1},
        {"Space", {DialogButton::OK}, [](Harness& h) { h.AnswerNextDialogWithKey(Qt::Key_Space); }, 1},
        {"Escape", {DialogButton::OK}, [](Harness& h) { h.AnswerNextDialogWithKey(Qt::Key_Escape); }, 1},
        {"click OK", {DialogButton::OK}, [](Harness& h) { h.AnswerNextDialog("OK"); }, 1},
        {"close box", {DialogButton::OK}, [](Harness& h) { h.CloseNextDialogWithCloseBox(); }, 2},

        {"Enter", {DialogButton::OK, DialogButton::Cancel}, [](Harness& h) { h.AnswerNextDialogWithKey(Qt::Key_Return); }, 1},
        {"Space", {DialogButton::OK, DialogButton::Cancel}, [](Harness& h) { h.AnswerNextDialogWithKey(Qt::Key_Space); }, 1},
        {"Escape", {DialogButton::OK, DialogButton::Cancel}, [](Harness& h) { h.AnswerNextDialogWithKey(Qt::Key_Escape); }, 2},
        {"click OK", {DialogButton::OK, DialogButton::Cancel}, [](Harness& h) { h.AnswerNextDialog("OK"); }, 1},
        {"click Cancela", {DialogButton::OK, DialogButton::Cancel}, [](Harness& h) { h.AnswerNextDialog("Cancela"); }, 2},
        {"close box", {DialogButton::OK, DialogButton::Cancel}, [](Harness& h) { h.CloseNextDialogWithCloseBox(); }, 2},

        {"Enter", {DialogButton::Yes, DialogButton::No}, [](Harness& h) { h.AnswerNextDialogWithKey(Qt::Key_Return); }, 6},
        {"Space", {DialogButton::Yes, DialogButton::No}, [](Harness& h) { h.AnswerNextDialogWithKey(Qt::Key_Space); }, 6},
        {"Escape", {DialogButton::Yes, DialogButton::No}, [](Harness& h) { h.AnswerNextDialogWithKey(Qt::Key_Escape); }, 7},
        {"click Sim", {DialogButton::Yes, DialogButton::No}, [](Harness& h) { h.AnswerNextDialog("&Sim"); }, 6},
        {"click Não", {DialogButton::Yes, DialogButton::No}, [](Harness& h) { h.AnswerNextDialog("&Não"); }, 7},
        {"close box", {DialogButton::Yes, DialogButton::No}, [](Harness& h) { h.CloseNextDialogWithCloseBox(); }, 2},
        {"letter S", {DialogButton::Yes, DialogButton::No}, [](Harness& h) { h.AnswerNextDialogWithKey(Qt::Key_S); }, 6},
        {"letter N", {DialogButton::Yes, DialogButton::No}, [](Harness& h) { h.AnswerNextDialogWithKey(Qt::Key_N); }, 7},
        {"a letter of no button, then Escape", {DialogButton::Yes, DialogButton::No}, [](Harness& h) {
             h.OnNextDialog([](TMessageDialog& d) {
                 d.PressKey(Qt::Key_X);
                 d.PressKey(Qt::Key_Escape);
             });
         }, 7},
    };
    for (const auto& c : cases) {
        Harness harness;
        c.answer(harness);
        const int result = ShowMessageDialog("Question?", DialogKind::Confirmation, c.buttons);
        EXPECT_EQ(result, c.result) << c.way << " with " << c.buttons.size() << " buttons";
        ASSERT_EQ(harness.dialogs.size(), 1);
        EXPECT_EQ(harness.dialogs[0].result, c.result);
        EXPECT_EQ(harness.unansweredDialogs, 0);
    }
}

TEST(MessageDialog, ButtonsStandInTheFixedOrderWhateverOrderTheyAreGiven)
{
    const struct {
        Set given;
        QStringList shown;
        QString focused;
    } cases[] = {
        {{DialogButton::Cancel, DialogButton::OK}, {"OK", "Cancela"}, "OK"},
        {{DialogButton::No, DialogButton::Yes}, {"&Sim", "&Não"}, "&Sim"},
        {{DialogButton::Cancel, DialogButton::OK, DialogButton::No, DialogButton::Yes}, {"&Sim", "&Não", "OK", "Cancela"}, "OK"},
        {{DialogButton::OK, DialogButton::OK}, {"OK"}, "OK"},
    };
    for (const auto& c : cases) {
        Harness harness;
        QString defaultCaption;
        QList<int> widths;
        harness.OnNextDialog([&](TMessageDialog& dialog) {
            for (int i = 0; i < dialog.ButtonCount(); ++i) {
                widths << dialog.Button(i)->width();
                if (dialog.Button(i)->isDefault())
                    defaultCaption = dialog.Button(i)->text();
            }
            dialog.PressKey(Qt::Key_Escape);
        });
        ShowMessageDialog("Which?", DialogKind::Information, c.given);
        ASSERT_EQ(harness.dialogs.size(), 1);
        EXPECT_EQ(harness.dialogs[0].buttons, c.shown);
        EXPECT_EQ(defaultCaption, c.focused);
        EXPECT_EQ(widths.count(widths.value(0)), widths.size()) << "all buttons have one width";
    }
}

TEST(MessageDialog, KindsGiveCaptionAndIcon)
{
    Harness harness;
    Application->SetTitle("Title Now");
    const struct {
        DialogKind kind;
        QString caption;
        TMsgIcon icon;
    } cases[] = {
        {DialogKind::Warning, "Perigo", TMsgIcon::Warning},
        {DialogKind::Information, "Informação", TMsgIcon::Information},
        {DialogKind::Confirmation, "Confirma ?", TMsgIcon::Question},
        {DialogKind::Custom, "Title Now", TMsgIcon::None},
    };
    for (const auto& c : cases) {
        bool iconShown = false;
        QString windowTitle;
        harness.OnNextDialog([&](TMessageDialog& dialog) {
            windowTitle = dialog.windowTitle();
            iconShown = dialog.findChild<QLabel*>("icon") != nullptr;
            dialog.PressButton(0);
        });
        ShowMessageDialog("Text", c.kind, {DialogButton::OK});
        EXPECT_EQ(harness.dialogs.last().caption, c.caption);
        EXPECT_EQ(harness.dialogs.last().icon, c.icon);
        EXPECT_EQ(windowTitle, c.caption);
        EXPECT_EQ(iconShown, c.icon != TMsgIcon::None);
    }
}

// The plain notice takes the title the application has when it opens, not when it was asked.
TEST(MessageDialog, NoticeCaptionIsTheTitleAtTheMomentItOpens)
{
    Harness harness;
    Application->SetTitle("First");
    ShowNotice("one");
    Application->SetTitle("Second");
    ShowNotice("two");
    // A notice opened from inside another dialog, after the title changed under it.
    harness.OnNextDialog([](TMessageDialog& dialog) {
        Application->SetTitle("Third");
        ShowNotice("three");
        dialog.PressButton(0);
    });
    ShowMessageDialog("outer", DialogKind::Custom, {DialogButton::OK});
    ASSERT_EQ(harness.dialogs.size(), 4);
    EXPECT_EQ(harness.dialogs[0].caption, "First");
    EXPECT_EQ(harness.dialogs[1].caption, "Second");
    EXPECT_EQ(harness.dialogs[2].caption, "Second");
    EXPECT_EQ(harness.dialogs[3].caption, "Third");
    EXPECT_EQ(harness.dialogs[3].buttons, QStringList{"OK"});
    EXPECT_EQ(harness.unansweredDialogs, 3) << "notices with no answer queued are closed by the harness";
}

TEST(MessageDialog, LongTextWrapsAtHalfTheScreenAndTheDialogGrowsDownwards)
{
    Harness harness;
    const int halfScreen = QGuiApplication::primaryScreen()->availableGeometry().width() / 2;
    QSize shortSize, longSize;
    int longTextWidth = 0;
    QRect buttonRow;
    int dialogWidth = 0;
    harness.OnNextDialog([&](TMessageDialog& dialog) {
        shortSize = dialog.size();
        dialog.PressButton(0);
    });
    harness.OnNextDialog([&](TMessageDialog& dialog) {
        longSize = dialog.size();
        dialogWidth = dialog.width();
        longTextWidth = dialog.findChild<QLabel*>("text")->width();
        buttonRow = dialog.Button(0)->geometry().united(dialog.Button(1)->geometry());
        dialog.PressButton(0);
    });
    ShowMessageDialog("Short.", DialogKind::Warning, {DialogButton::OK});
    ShowMessageDialog(QString("A very long sentence that keeps going. ").repeated(60), DialogKind::Warning,
                      {DialogButton::OK, DialogButton::Cancel});
    EXPECT_LE(longTextWidth, halfScreen);
    EXPECT_GT(longTextWidth, halfScreen / 2);
    EXPECT_GT(longSize.height(), shortSize.height() * 3);
    // The row of buttons stands in the middle.
    EXPECT_LE(std::abs(buttonRow.left() - (dialogWidth - buttonRow.right() - 1)), 2);
}

// No text is cut, whatever its words: a long name widens the dialog up to the screen's width and
// a name longer than that is broken where the line ends; the text's last word is always shown.
TEST(MessageDialog, EveryTextIsShownWholeWhateverItsWords)
{
    Harness harness;
    const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
    const QString longName = QString("Bartolomeu").repeated(13); // 130 letters
    const struct {
        const char* what;
        QString text;
        bool widerThanHalfTheScreen;
    } cases[] = {
        {"a 130-letter name asked to confirm", longName + " Tem certeza de sua resposta ?", true},
        {"a word half again as wide as the screen", QString("x").repeated(400) + " fim", true},
        {"a word a little wider than half the screen", QString("Z").repeated(60) + " fim", true},
        {"ordinary words", QString("palavra ").repeated(80) + "fim", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QRect dialogArea, textArea, textShown;
        harness.OnNextDialog([&](TMessageDialog& dialog) {
            auto* text = dialog.findChild<TLabel*>("text");
            ASSERT_NE(text, nullptr);
            dialogArea = dialog.rect();
            textArea = text->geometry();
            textShown = text->TextRect().translated(text->pos());
            if (c.text.startsWith(longName))
                Harness::SaveScreenshot(&dialog, "dialogo_nome_longo");
            dialog.PressButton(0);
        });
        ShowMessageDialog(c.text, DialogKind::Confirmation, {DialogButton::Yes, DialogButton::No});
        EXPECT_LE(dialogArea.width(), screenWidth);
        EXPECT_TRUE(dialogArea.contains(textArea));
        EXPECT_TRUE(textArea.contains(textShown)) << "the last word is inside the dialog";
        EXPECT_EQ(textArea.width() > screenWidth / 2, c.widerThanHalfTheScreen);
    }
}

TEST(MessageDialog, AccessKeyIsUnderlinedNotShownAsAnAmpersand)
{
    Harness harness;
    QString mnemonicShown;
    harness.OnNextDialog([&](TMessageDialog& dialog) {
        mnemonicShown = dialog.Button(0)->shortcut().toString();
        dialog.PressButton(1);
    });
    EXPECT_EQ(ShowMessageDialog("Sure?", DialogKind::Confirmation, {DialogButton::Yes, DialogButton::No}), ResultNo);
    EXPECT_EQ(mnemonicShown, "Alt+S");
    EXPECT_TRUE(QApplication::style()->styleHint(QStyle::SH_UnderlineShortcut)) << "access keys are drawn underlined";
}

TEST(MessageDialog, HelpContextIsKeptAndF1LeavesTheDialogOpen)
{
    Harness harness;
    bool openAfterF1 = false;
    harness.OnNextDialog([&](TMessageDialog& dialog) {
        dialog.PressKey(Qt::Key_F1);
        openAfterF1 = dialog.isVisible();
        dialog.PressKey(Qt::Key_Escape);
    });
    EXPECT_EQ(ShowMessageDialog("Wrong", DialogKind::Custom, {DialogButton::OK}, 1), ResultOK);
    EXPECT_TRUE(openAfterF1);
    EXPECT_EQ(harness.dialogs[0].helpContext, 1);
}

class PlainForm : public TForm {
public:
    PlainForm() : TForm(nullptr), button(new TButton(this)), timer(new TTimer(this))
    {
        resize(200, 100);
        button->setGeometry(10, 10, 80, 25);
        BindLayout({});
        button->OnClick = [this](TObject*) { ++clicks; };
        timer->OnTimer = [this](TObject*) { ++ticks; };
    }
    TButton* button;
    TTimer* timer;
    int clicks = 0;
    int ticks = 0;
};

TEST(MessageDialog, OtherWindowsTakeNoInputWhileItIsOpenButTimersTick)
{
    Harness harness;
    PlainForm window;
    window.Show();
    harness.OnNextDialog([&](TMessageDialog& dialog) {
        Harness::Click(window.button);
        window.timer->Tick();
        dialog.PressButton(0);
    });
    ShowNotice("Wait");
    EXPECT_EQ(window.clicks, 0);
    EXPECT_EQ(window.ticks, 1);
    Harness::Click(window.button);
    EXPECT_EQ(window.clicks, 1);
}

TEST(MessageDialog, DialogFromAButtonReturnsToTheHandlerOnlyWhenClosed)
{
    Harness harness;
    PlainForm window;
    window.Show();
    QStringList steps;
    window.button->OnClick = [&](TObject*) {
        steps << "asked";
        const int answer = ShowMessageDialog("Go on?", DialogKind::Confirmation, {DialogButton::Yes, DialogButton::No});
        steps << QString::number(answer);
    };
    harness.OnNextDialog([&](TMessageDialog& dialog) {
        steps << "open";
        dialog.PressButton(0);
    });
    Harness::Click(window.button);
    EXPECT_EQ(steps, (QStringList{"asked", "open", "6"}));
}

} // namespace
