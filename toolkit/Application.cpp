#include "toolkit/Application.h"

#include "toolkit/ClassicFonts.h"
#include "toolkit/Locale.h"
#include "toolkit/MessageDialog.h"
#include "toolkit/SoundOutput.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QStyle>
#include <QStyleFactory>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <thread>

TApplication* Application = nullptr;

void RunGuarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const Exception& error) {
        if (Application)
            Application->ShowException(error);
        else
            std::fprintf(stderr, "%s\n", error.what());
    } catch (const std::exception& error) {
        if (Application)
            Application->HandleException(error);
        else
            std::fprintf(stderr, "%s\n", error.what());
    } catch (...) {
        const Exception unknown(QStringLiteral("Unknown error"));
        if (Application)
            Application->ShowException(unknown);
        else
            std::fprintf(stderr, "%s\n", unknown.what());
    }
}

void Fire(const TNotifyEvent& event, TObject* sender)
{
    if (!event)
        return;
    // A copy: the handler may replace or destroy what it was bound in.
    const TNotifyEvent handler = event;
    RunGuarded([&] { handler(sender); });
}

namespace {

// The system announces a change of regional settings to the application object.
class LocaleWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == qApp && event->type() == QEvent::LocaleChange)
            ReadThousandSeparatorFromLocale();
        return false;
    }
};

// The classic faces from the files the setup installs; where those are missing, stand-ins of
// the same kind, and the generic families after them, so text still shows.
void UseClassicFonts()
{
    RegisterClassicFonts();
    QFont::insertSubstitutions(QStringLiteral("Fixedsys"),
                               {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                                QStringLiteral("Monospace")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"),
                                QStringLiteral("Sans Serif")});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Sans Serif")});
    QApplication::setFont(ClassicFont(QFont(QStringLiteral("MS Sans Serif"), 8)));
}

} // namespace

TApplication::TApplication(int& argc, char** argv)
{
    Application = this;
    // A write past the file-size limit is an error the caller handles, not the end of the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // Reading the system's font configuration is the longest step before the first window can
    // show text; it runs beside the start of the application object instead of after it.
    std::thread fontConfiguration([] { FcInit(); });
    qt_ = std::make_unique<QApplication>(argc, argv);
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
    fontConfiguration.join();
    UseClassicFonts();
    if (QFile::exists(QStringLiteral(":/MAINICON")))
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/MAINICON")));
    // Closing the main form ends the program, whatever other windows are open.
    QApplication::setQuitOnLastWindowClosed(false);

    QString program = QCoreApplication::applicationFilePath();
    if (program.isEmpty() && argc > 0)
        program = QString::fromLocal8Bit(argv[0]);
    title_ = DefaultTitleFor(program);

    ReadThousandSeparatorFromLocale();
    localeWatcher_ = std::make_unique<LocaleWatcher>();
    qt_->installEventFilter(localeWatcher_.get());
}

TApplication::~TApplication()
{
    // The owned forms go first, newest first, and with them every form they own.
    while (!forms_.empty()) {
        TForm* form = forms_.back();
        forms_.pop_back();
        delete form;
    }
    mainForm_ = nullptr;
    qt_->removeEventFilter(localeWatcher_.get());
    localeWatcher_.reset();
    qt_.reset();
    Application = nullptr;
    FinishSoundStart();
}

void TApplication::Initialize() {}

void TApplication::SetTitle(const QString& title)
{
    title_ = title;
}

QString TApplication::DefaultTitleFor(const QString& programPath)
{
    const qsizetype folder = std::max(programPath.lastIndexOf(QLatin1Char('/')), programPath.lastIndexOf(QLatin1Char('\\')));
    QString name = programPath.mid(folder + 1);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name;
}

void TApplication::Adopt(TForm* form)
{
    forms_.push_back(form);
    if (!mainForm_)
        mainForm_ = form;
}

void TApplication::FormDestroyed(TForm* form)
{
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (mainForm_ == form)
        mainForm_ = nullptr;
}

void TApplication::Run()
{
    if (mainForm_)
        mainForm_->Show();
    if (terminated_ || !mainForm_)
        return;
    running_ = true;
    qt_->exec();
    running_ = false;
}

void TApplication::Terminate()
{
    terminated_ = true;
    // Outside Run there is no loop to end, and asking Qt to end one would make every later
    // event loop (dialogs, modal runs) return at once. exit() rather than quit(): quit asks every
    // window to close first, and the forms decide their own closing.
    if (running_)
        QCoreApplication::exit(0);
}

void TApplication::ShowException(const Exception& error)
{
    TMsgDialogSetup setup;
    setup.caption = title_;
    setup.text = error.Message();
    setup.icon = TMsgIcon::Error;
    setup.buttons = {{QStringLiteral("OK"), 1}};
    setup.defaultButton = 0;
    setup.escapeResult = 1;
    setup.closeResult = 2;
    RunMessageDialog(setup);
}

void TApplication::HandleException(const std::exception& error)
{
    if (const auto* own = dynamic_cast<const Exception*>(&error)) {
        ShowException(*own);
        return;
    }
    ShowException(Exception(QString::fromLocal8Bit(error.what())));
}
