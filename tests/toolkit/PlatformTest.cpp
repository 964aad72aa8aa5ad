#include "SampleForm.h"
#include "support/Harness.h"

#include "toolkit/Application.h"
#include "toolkit/Locale.h"
#include "toolkit/Pause.h"
#include "toolkit/Shell.h"
#include "toolkit/SingleInstance.h"
#include "toolkit/WebBrowser.h"

#include <QCoreApplication>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStyle>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

TEST(DefaultTitle, FolderDroppedCutAtTheFirstDotRestInLowerCase)
{
    const struct {
        const char* path;
        const char* title;
    } cases[] = {
        {"/x/Pelvant.exe", "Pelvant"},
        {"C:\\A\\PELVANT.EXE", "Pelvant"},
        {"/usr/games/pelvant", "pelvant"},
        {"a.b.c", "a"},
        {"/opt/run.d/Tool.Helper.exe", "Tool"},
        {"C:\\Jogos/Dir\\ÁRVORE.EXE", "Árvore"},
        {"/x/.hidden", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TApplication::DefaultTitleFor(QString::fromUtf8(c.path)), QString::fromUtf8(c.title)) << c.path;
}

// Another process holds the lock: ours is refused until that process is gone, however it ends.
TEST(InstanceLock, HeldByAnotherProcessUntilItIsKilled)
{
    const QString name = QStringLiteral("[{lock test %1}] / with \\ odd: chars").arg(getpid());
    QProcess holder;
    holder.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(Harness::kHoldLockFlag) + name});
    ASSERT_TRUE(holder.waitForStarted(10000));
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    EXPECT_EQ(holder.readLine().trimmed(), "held");

    EXPECT_FALSE(AcquireInstanceLock(name));
    EXPECT_FALSE(AcquireInstanceLock(name)) << "asking again changes nothing";
    EXPECT_TRUE(AcquireInstanceLock(name + "-other")) << "another name is another lock";

    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_TRUE(AcquireInstanceLock(name)) << "the kernel released the killed holder's lock";

    // Now this process holds it, for the rest of its life.
    QProcess second;
    second.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(Harness::kHoldLockFlag) + name});
    ASSERT_TRUE(second.waitForReadyRead(10000));
    EXPECT_EQ(second.readLine().trimmed(), "refused");
    second.kill();
    second.waitForFinished(10000);
}

TEST(InstanceLock, UsesThePerUserRuntimeFolder)
{
    QTemporaryDir runtime;
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const QString name = QStringLiteral("runtime folder test %1").arg(getpid());
    EXPECT_TRUE(AcquireInstanceLock(name));
    EXPECT_EQ(QDir(runtime.path()).entryList(QDir::Files).size(), 1);
    EXPECT_FALSE(AcquireInstanceLock(name));
    if (saved.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", saved);
}

TEST(WebBrowser, ShowsThePageOfTheAddressFromTheWorkingDirectory)
{
    Harness harness;
    const QString folder = harness.MakeRunFolder();
    {
        QFile page(folder + "/banner.html");
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write("<html><body><p>Banner text</p><a href=\"http://site.example/more\">more</a></body></html>");
    }
    ASSERT_TRUE(QDir(folder).mkdir("folder.html"));
    // A browser on screen loads at once.
    TWebBrowser browser;
    browser.show();
    const struct {
        const char* address;
        bool loads;
        const char* errorNames; // the page the error page names, when it does not load
    } cases[] = {
        {"www.ads.example/banner.html", true, nullptr},
        {"http://www.ads.example/pages/banner.html?x=1#top", true, nullptr},
        {"banner.html", true, nullptr},
        {"www.ads.example/absent.html", false, "absent.html"},
        {"www.ads.example/folder.html", false, "folder.html"},
        {"www.ads.example/<i>x&amp;y.html", false, "<i>x&amp;y.html"},
        {"www.ads.example/", false, "www.ads.example/"},
        {"", false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        browser.Navigate(c.address);
        EXPECT_EQ(browser.LocationURL(), c.address);
        EXPECT_EQ(!browser.LoadedFile().isEmpty(), c.loads);
        EXPECT_EQ(browser.toPlainText().contains("Banner text"), c.loads);
        if (c.errorNames) {
            EXPECT_TRUE(browser.toPlainText().contains(
                QStringLiteral("N\u00e3o foi poss\u00edvel exibir a p\u00e1gina %1.").arg(c.errorNames)))
                << browser.toPlainText().toStdString();
        } else if (!c.loads) {
            EXPECT_TRUE(browser.toPlainText().isEmpty());
        }
    }
    browser.Navigate("banner.html");
    emit browser.anchorClicked(QUrl("http://site.example/more"));
    EXPECT_EQ(harness.openedAddresses, QStringList{"http://site.example/more"});
    EXPECT_TRUE(browser.toPlainText().contains("Banner text")) << "a link does not navigate the control";
}

// A window's first frame does not wait for its page: the page comes right after it.
TEST(WebBrowser, LoadsThePageOfAWindowNotYetOnScreenAfterItsFirstPaint)
{
    Harness harness;
    const QString folder = harness.MakeRunFolder();
    QFile::remove(folder + "/publicidade.html");
    TWebBrowser browser;
    browser.Navigate("www.ads.example/publicidade.html");
    EXPECT_TRUE(browser.toPlainText().isEmpty());
    browser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&browser));
    browser.repaint();
    QCoreApplication::processEvents();
    EXPECT_TRUE(browser.toPlainText().contains(QStringLiteral("N\u00e3o foi poss\u00edvel exibir a p\u00e1gina publicidade.html.")))
        << browser.toPlainText().toStdString();
}

TEST(Shell, OpenGoesToTheRecorderInTests)
{
    Harness harness;
    ShellOpen("www.site.example");
    ShellOpen("http://www.site.example/x");
    EXPECT_EQ(harness.openedAddresses, (QStringList{"www.site.example", "http://www.site.example/x"}));
}

TEST(Pause, MakesTheWindowWhoseShowIsRunningVisibleFirst)
{
    Harness harness;
    SampleForm form;
    bool visibleAtPause = false;
    form.onShow = [&] {
        form.Label1->SetCaption("Shown during the pause");
        Sleep(2000);
        visibleAtPause = form.isVisible();
    };
    form.Show();
    EXPECT_TRUE(visibleAtPause);
    EXPECT_EQ(harness.pauses, QVector<unsigned>{2000});
    EXPECT_EQ(harness.pauseWindowVisible, QVector<bool>{true});
    EXPECT_EQ(form.log.count("FormShow SampleForm"), 1);

    // A pause outside any show event leaves hidden windows hidden.
    SampleForm hidden;
    Sleep(10);
    EXPECT_FALSE(hidden.isVisible());
}

TEST(Harness, UnansweredDialogIsClosedAndCounted)
{
    Harness harness;
    Application->ShowException(Exception("nobody answers"));
    ASSERT_EQ(harness.dialogs.size(), 1);
    EXPECT_EQ(harness.dialogs[0].result, 2);
    EXPECT_EQ(harness.unansweredDialogs, 1);
}

} // namespace

namespace {

TEST(Application, ReadsTheThousandSeparatorAgainWhenTheLocaleChanges)
{
    const QString fromLocale = QLocale::system().groupSeparator();
    ApplyThousandSeparator("#");
    ASSERT_EQ(ThousandSeparator(), "#");
    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(qApp, &change);
    EXPECT_EQ(ThousandSeparator(), fromLocale.size() <= 1 ? fromLocale : QString(","));
}

TEST(Application, FirstFormCreatedIsTheMainFormUntilItIsDestroyed)
{
    Harness harness;
    ASSERT_EQ(Application->MainForm(), nullptr) << "an earlier test left a main form behind";
    SampleForm* first = nullptr;
    SampleForm* second = nullptr;
    Application->CreateForm(first);
    Application->CreateForm(second);
    EXPECT_EQ(Application->MainForm(), first);
    EXPECT_EQ(first->parent(), nullptr);
    // Closing a form that is not the main one only hides it.
    second->Show();
    second->Close();
    EXPECT_FALSE(Application->Terminated());
    first->Close();
    EXPECT_TRUE(Application->Terminated());
    // Closed outside Run: later dialogs and modal runs still run their loops.
    harness.AnswerNextDialog("OK");
    Application->ShowException(Exception("still answered"));
    ASSERT_EQ(harness.dialogs.size(), 1);
    EXPECT_EQ(harness.dialogs[0].result, 1);
    delete second;
    delete first;
    EXPECT_EQ(Application->MainForm(), nullptr);
}

} // namespace

namespace {

// The classic faces come from their files where the machine has them, else from the stand-ins.
TEST(Application, ClassicLookWithClassicFontsOrStandIns)
{
    EXPECT_EQ(QApplication::style()->name().toLower(), "windows");
    const struct {
        const char* classic;
        const char* file;
        const char* standIn;
    } cases[] = {{"Fixedsys", "fixedsys.ttf", "DejaVu Sans Mono"},
                 {"MS Sans Serif", "ms_sans_serif.ttf", "Liberation Sans"},
                 {"Tahoma", "tahoma.ttf", "DejaVu Sans"}};
    for (const auto& c : cases) {
        const QString family = QFontInfo(QFont(c.classic, 8)).family();
        if (QFile::exists(QStringLiteral("/usr/share/wine/fonts/") + c.file)) {
            EXPECT_EQ(family, c.classic);
        } else if (QFontDatabase::families().contains(c.standIn)) {
            EXPECT_EQ(family, c.standIn) << c.classic;
        }
    }
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed()) << "only the main form's close ends the program";
}

} // namespace
