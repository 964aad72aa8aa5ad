#include "SampleForm.h"
#include "support/Harness.h"

#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/Pause.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The layout's handlers are bound and the creation event has run by the time the constructor
// returns; the window is still hidden.
TEST(Form, CreationBindsTheLayoutAndRunsOnCreateWhileHidden)
{
    Harness harness;
    SampleForm form;
    EXPECT_EQ(form.log, QStringList{"FormCreate SampleForm"});
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.size(), QSize(400, 300));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "a single border is not resizable";
    EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST(Form, HandlerNameMissingFromTheTableIsAnErrorAtCreation)
{
    Harness harness;
    for (const QString& missing : {QStringLiteral("LabelClick"), QStringLiteral("LabelMouseMove"),
                                   QStringLiteral("TimerTick"), QStringLiteral("FormShow")}) {
        try {
            SampleForm form(nullptr, {{}, missing});
            ADD_FAILURE() << "no error for a missing " << missing.toStdString();
        } catch (const Exception& error) {
            EXPECT_TRUE(error.Message().contains(missing)) << error.what();
        }
    }
    EXPECT_TRUE(harness.dialogs.isEmpty()) << "a layout error is the creator's to handle, not the error box's";
}

TEST(Form, WindowedControlsStandAbovePicturesAndLabelsInLayoutOrder)
{
    Harness harness;
    SampleForm form;
    const QObjectList order = form.children();
    const auto at = [&](QWidget* w) { return order.indexOf(w); };
    // The background picture comes first in the layout and stays at the bottom; the label, laid
    // out before the edit, ends below it; windowed controls keep their own order.
    EXPECT_LT(at(form.Image1), at(form.Label1));
    EXPECT_LT(at(form.Label1), at(form.Edit1));
    EXPECT_LT(at(form.Label2), at(form.Edit1));
    EXPECT_LT(at(form.Edit1), at(form.SpinEdit1));
    EXPECT_LT(at(form.Button1), at(form.BitBtn1));
    EXPECT_LT(at(form.BitBtn1), at(form.Memo1));
    EXPECT_LT(at(form.Memo1), at(form.WebBrowser1));
}

TEST(Form, ShowRunsOnShowBeforeTheWindowIsVisibleThenCentresIt)
{
    Harness harness;
    SampleForm form;
    bool visibleDuringShow = true;
    form.onShow = [&] { visibleDuringShow = form.isVisible(); };
    form.Show();
    EXPECT_FALSE(visibleDuringShow);
    EXPECT_TRUE(form.isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((form.geometry().center() - screen.center()).manhattanLength(), 2);
    form.Show();
    EXPECT_EQ(form.log.count("FormShow SampleForm"), 1) << "showing a visible window does not run OnShow again";
}

TEST(Form, HandlerThatRaisesShowsTheErrorBoxAndTheProgramGoesOn)
{
    Harness harness;
    Application->SetTitle("Toolkit under test");
    SampleForm form;
    form.Show();
    form.onButtonClick = [] { throw Exception("The thing failed"); };
    harness.AnswerNextDialog("OK");
    Harness::Click(form.Button1);
    ASSERT_EQ(harness.dialogs.size(), 1);
    EXPECT_EQ(harness.dialogs[0].caption, "Toolkit under test");
    EXPECT_EQ(harness.dialogs[0].text, "The thing failed");
    EXPECT_EQ(harness.dialogs[0].icon, TMsgIcon::Error);
    EXPECT_EQ(harness.dialogs[0].buttons, QStringList{"OK"});

    // Other kinds of error go to the same box; the window still reacts afterwards.
    form.onButtonClick = [] { throw std::runtime_error("plain failure"); };
    Harness::Click(form.Button1);
    ASSERT_EQ(harness.dialogs.size(), 2);
    EXPECT_EQ(harness.dialogs[1].text, "plain failure");
    EXPECT_EQ(harness.unansweredDialogs, 1);
    form.onButtonClick = {};
    Harness::Click(form.Button1);
    EXPECT_EQ(form.log.count("ButtonClick Button1"), 3);
    EXPECT_EQ(harness.dialogs.size(), 2);
}

TEST(Form, ErrorInOnShowIsReportedAndTheWindowIsShownAllTheSame)
{
    Harness harness;
    for (bool modal : {false, true}) {
        SampleForm form;
        form.onShow = [] { throw EMCIDeviceError("Cannot open the sound file"); };
        harness.AnswerNextDialog("OK");
        bool visibleInModalRun = false;
        if (modal) {
            harness.OnNextModal([&](TForm* f) {
                visibleInModalRun = f->isVisible();
                f->Close();
            });
            form.ShowModal();
            EXPECT_TRUE(visibleInModalRun);
        } else {
            form.Show();
            EXPECT_TRUE(form.isVisible());
        }
        ASSERT_FALSE(harness.dialogs.isEmpty());
        EXPECT_EQ(harness.dialogs.last().text, "Cannot open the sound file");
    }
    EXPECT_EQ(harness.dialogs.size(), 2);
}

TEST(Form, ModelessCloseHidesWithoutDestroying)
{
    Harness harness;
    SampleForm owner;
    QPointer<SampleForm> form = new SampleForm(&owner);
    form->Show();
    form->Close();
    ASSERT_FALSE(form.isNull());
    EXPECT_FALSE(form->isVisible());
    form->Show();
    Harness::CloseBox(form);
    ASSERT_FALSE(form.isNull());
    EXPECT_FALSE(form->isVisible());
    form->Show();
    EXPECT_TRUE(form->isVisible()) << "a hidden window can be shown again";
}

// Nothing the player does reaches a window during a pause, the close box included.
TEST(Form, CloseBoxDuringAPauseIsDropped)
{
    Harness harness;
    SampleForm form;
    form.Show();
    SetPauseRecorder([&](unsigned) { Harness::CloseBox(&form); });
    Sleep(500);
    SetPauseRecorder([&](unsigned ms) { harness.pauses.append(ms); });
    EXPECT_TRUE(form.isVisible());
    Harness::CloseBox(&form);
    EXPECT_FALSE(form.isVisible()) << "after the pause the close box works again";
}

TEST(Form, OwnedFormsAreDestroyedWithTheirOwner)
{
    Harness harness;
    auto owner = std::make_unique<SampleForm>();
    QPointer<SampleForm> first = new SampleForm(owner.get());
    QPointer<SampleForm> second = new SampleForm(owner.get());
    first->Show();
    EXPECT_TRUE(first->isWindow()) << "an owned form is a window of its own";
    owner.reset();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull());
}

TEST(Form, BindingALayoutLeavesTheFormsItOwnsAlone)
{
    Harness harness;
    SampleForm* owned = nullptr;
    SampleForm owner(nullptr, {[&](SampleForm& f) { owned = new SampleForm(&f); }, {}});
    owned->Show();
    Harness::Click(owned->Label1);
    EXPECT_EQ(owned->log.count("LabelClick Label1"), 1);
    EXPECT_EQ(owner.log.count("LabelClick Label1"), 0);
}

TEST(Form, ModalRunEndsAfterTheHandlerThatClosedItReturns)
{
    Harness harness;
    SampleForm owner;
    owner.Show();
    auto form = std::make_unique<SampleForm>(&owner);
    QStringList steps;
    form->onButtonClick = [&] {
        form->Close();
        steps << "closed";
        EXPECT_TRUE(form->isVisible()) << "the window stays until the handler is over";
        Sleep(5000);
        steps << "after pause";
    };
    harness.OnNextModal([&](TForm* f) {
        EXPECT_EQ(f, form.get());
        EXPECT_TRUE(f->InModalRun());
        Harness::Click(form->Button1);
        steps << "click returned";
        // Input that comes after the close does not reach the window.
        Harness::Click(form->Button1);
    });
    const int result = form->ShowModal();
    steps << "modal run over";
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(steps, (QStringList{"closed", "after pause", "click returned", "modal run over"}));
    EXPECT_EQ(form->log.count("ButtonClick Button1"), 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->InModalRun());
    EXPECT_EQ(harness.pauses, QVector<unsigned>{5000});
    EXPECT_EQ(harness.pauseWindowVisible, QVector<bool>{true});
    EXPECT_EQ(harness.unansweredModals, 0);
}

TEST(Form, CloseBoxEndsAModalRunAndCloseDuringOnShowSkipsTheLoop)
{
    Harness harness;
    SampleForm form;
    harness.OnNextModal([](TForm* f) { Harness::CloseBox(f); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_FALSE(form.isVisible());

    // A show event that ends the run: its pause stands on the visible window, then it closes
    // without a modal loop.
    form.onShow = [&] {
        Sleep(5000);
        form.Close();
    };
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(harness.pauseWindowVisible, QVector<bool>{true});
    EXPECT_EQ(harness.unansweredModals, 0) << "no loop ran, so there was nothing to answer";
}

TEST(Form, ModalRunWithNothingQueuedIsClosedAndCounted)
{
    Harness harness;
    SampleForm form;
    form.ShowModal();
    EXPECT_EQ(harness.unansweredModals, 1);
    harness.OnNextModal([](TForm*) {});
    form.ShowModal();
    EXPECT_EQ(harness.unansweredModals, 2) << "an action that leaves the run open is counted too";
}

TEST(Form, ModalRunBlocksOtherWindowsWhileTimersTick)
{
    Harness harness;
    SampleForm other;
    other.Show();
    SampleForm modal;
    int ticksSeenInModalRun = 0;
    modal.onTimer = [&] { ++ticksSeenInModalRun; };
    harness.OnNextModal([&](TForm*) {
        Harness::Click(other.Button1);
        Harness::Key(other.Edit1, Qt::Key_Return);
        // The clock is the test's: each tick is handled inside the modal loop, as it would be.
        modal.Timer1->Tick();
        modal.Timer1->Tick();
        Harness::Click(modal.Button1);
        modal.Close();
    });
    modal.ShowModal();
    EXPECT_EQ(other.log.count("ButtonClick Button1"), 0) << "a blocked window takes no click";
    EXPECT_EQ(ticksSeenInModalRun, 2);
    EXPECT_EQ(modal.log.count("ButtonClick Button1"), 1);
    Harness::Click(other.Button1);
    EXPECT_EQ(other.log.count("ButtonClick Button1"), 1) << "after the run the window takes input again";
}

TEST(Form, TimerTicksByTheClockUnlessManual)
{
    Harness harness;
    SampleForm form;
    form.Timer1->SetInterval(1);
    form.onTimer = [&] { form.Timer1->SetTimerEnabled(false); };
    SetTimersManualForTesting(false);
    // The clock: a real QTimer, so this waits in the event loop for at most a second.
    for (int i = 0; i < 100 && form.log.count("TimerTick Timer1") == 0; ++i)
        QTest::qWait(10);
    EXPECT_EQ(form.log.count("TimerTick Timer1"), 1);

    SetTimersManualForTesting(true);
    form.Timer1->SetTimerEnabled(true);
    form.onTimer = {};
    QTest::qWait(30);
    EXPECT_EQ(form.log.count("TimerTick Timer1"), 1) << "manual timers do not tick by the clock";
    form.Timer1->Tick();
    EXPECT_EQ(form.log.count("TimerTick Timer1"), 2);
}

TEST(Form, ErrorInATickIsReportedAndTheTimerGoesOn)
{
    Harness harness;
    SampleForm form;
    form.onTimer = [] { throw Exception("tick failed"); };
    form.Timer1->Tick();
    form.Timer1->Tick();
    EXPECT_EQ(harness.dialogs.size(), 2);
    EXPECT_TRUE(form.Timer1->TimerEnabled());
}

TEST(Form, ClosingTheMainFormEndsRun)
{
    Harness harness;
    TForm* main = nullptr;
    SampleForm* typed = nullptr;
    Application->CreateForm(typed);
    main = typed;
    ASSERT_EQ(Application->MainForm(), main);
    QPointer<SampleForm> owned = new SampleForm(typed);
    QTimer::singleShot(0, [&] {
        owned->Show();
        Harness::Click(typed->Button1);
        Harness::CloseBox(typed);
    });
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(typed->log.count("FormShow SampleForm"), 1) << "Run shows the main form through Show";
    EXPECT_EQ(typed->log.count("ButtonClick Button1"), 1);
    delete main;
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_TRUE(owned.isNull());
}

} // namespace
