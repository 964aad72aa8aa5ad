#include "Harness.h"

#include "toolkit/Application.h"
#include "toolkit/Controls.h"
#include "toolkit/Pause.h"
#include "toolkit/Random.h"
#include "toolkit/Shell.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QEnterEvent>
#include <QFile>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

// The form a pause stands on: the one whose show event runs, else the innermost modal one,
// else the active window.
TForm* FormOfThePause()
{
    const QList<TForm*> forms = TForm::AllForms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if ((*it)->ShowPending())
            return *it;
    if (TForm* modal = TForm::CurrentModalForm())
        return modal;
    if (auto* active = dynamic_cast<TForm*>(QApplication::activeWindow()))
        return active;
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if ((*it)->isVisible())
            return *it;
    return nullptr;
}

// Keys typed at a compound control go to the part that takes the focus.
QWidget* KeyTarget(QWidget* w)
{
    while (w->focusProxy())
        w = w->focusProxy();
    return w;
}

bool BlockedByModal(QWidget* window)
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal != window;
}

bool ShownInItsWindow(QWidget* w)
{
    for (QWidget* part = w; part; part = part->parentWidget()) {
        if (part->isHidden() && !part->isWindow())
            return false;
        if (part->isWindow())
            break;
    }
    return true;
}

void CopyFile(const QString& from, const QString& to)
{
    QFile::remove(to);
    if (!QFile::copy(from, to))
        ADD_FAILURE() << "cannot copy " << from.toStdString() << " to " << to.toStdString();
    QFile(to).setPermissions(QFile(from).permissions() | QFileDevice::WriteOwner);
}

} // namespace

Harness::Harness()
{
    previousDir_ = QDir::currentPath();
    SetTimersManualForTesting(true);
    SetPauseRecorder([this](unsigned ms) {
        pauses.append(ms);
        TForm* form = FormOfThePause();
        pauseWindowVisible.append(form && form->isVisible());
    });
    SetMediaObserver([this](const TMediaPlayer& player, TMediaCall call) {
        sounds.append({player.objectName(), player.FileName(), call});
    });
    SetShellOpenRecorder([this](const QString& address) { openedAddresses.append(address); });
    SetSeedSourceForTesting([this] { return seed_; });
    SetMessageDialogHook([this](TMessageDialog& dialog) {
        const TMsgDialogSetup& setup = dialog.Setup();
        QStringList captions;
        for (const TMsgButton& button : setup.buttons)
            captions.append(button.caption);
        const int index = dialogs.size();
        dialogs.append({setup.caption, setup.text, setup.icon, captions, setup.helpContext, -1});
        QPointer<TMessageDialog> open(&dialog);
        if (dialogAnswers_.isEmpty()) {
            ++unansweredDialogs;
            dialog.CloseBox();
        } else {
            const auto answer = dialogAnswers_.dequeue();
            answer(dialog);
            if (open && open->isVisible()) {
                ADD_FAILURE() << "a dialog action left the dialog \"" << setup.text.toStdString() << "\" open";
                ++unansweredDialogs;
                open->CloseBox();
            }
        }
        if (open)
            dialogs[index].result = open->result();
    });
    SetModalStartHook([this](TForm* form) {
        QPointer<TForm> running(form);
        if (!modalActions_.isEmpty()) {
            const auto action = modalActions_.dequeue();
            action(form);
        }
        if (running && running->InModalRun() && !running->CloseRequested()) {
            ++unansweredModals;
            running->Close();
        }
    });
}

Harness::~Harness()
{
    EXPECT_TRUE(dialogAnswers_.isEmpty()) << dialogAnswers_.size() << " dialog answer(s) queued for dialogs that never opened";
    EXPECT_TRUE(modalActions_.isEmpty()) << modalActions_.size() << " modal action(s) queued for modal runs that never began";
    SetMessageDialogHook({});
    SetModalStartHook({});
    SetSeedSourceForTesting({});
    SetShellOpenRecorder({});
    SetMediaObserver({});
    SetPauseRecorder({});
    SetTimersManualForTesting(false);
    if (Application)
        Application->ClearTerminatedForTesting();
    QDir::setCurrent(previousDir_);
    runFolder_.reset();
}

void Harness::AnswerNextDialog(const QString& buttonCaption)
{
    dialogAnswers_.enqueue([buttonCaption](TMessageDialog& dialog) {
        for (int i = 0; i < dialog.ButtonCount(); ++i)
            if (dialog.Button(i)->text() == buttonCaption) {
                dialog.PressButton(i);
                return;
            }
        ADD_FAILURE() << "the dialog \"" << dialog.Setup().text.toStdString() << "\" has no button \""
                      << buttonCaption.toStdString() << "\"";
    });
}

void Harness::AnswerNextDialogWithKey(int qtKey)
{
    dialogAnswers_.enqueue([qtKey](TMessageDialog& dialog) { dialog.PressKey(qtKey); });
}

void Harness::CloseNextDialogWithCloseBox()
{
    dialogAnswers_.enqueue([](TMessageDialog& dialog) { dialog.CloseBox(); });
}

void Harness::OnNextDialog(std::function<void(TMessageDialog&)> action)
{
    dialogAnswers_.enqueue(std::move(action));
}

QVector<SoundCall> Harness::SoundsOf(const QString& player) const
{
    QVector<SoundCall> calls;
    for (const SoundCall& call : sounds)
        if (call.player == player)
            calls.append(call);
    return calls;
}

void Harness::SetSeed(quint32 seed)
{
    seed_ = seed;
}

void Harness::OnNextModal(std::function<void(TForm*)> action)
{
    modalActions_.enqueue(std::move(action));
}

QString Harness::MakeRunFolder()
{
    auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/run-XXXXXX"));
    if (!folder->isValid()) {
        ADD_FAILURE() << "cannot make a temporary run folder";
        return QString();
    }
    const QDir source(QStringLiteral(PELVANT_RUN_DIR));
    const QDir target(folder->path());
    if (source.exists(QStringLiteral("audio"))) {
        target.mkpath(QStringLiteral("audio"));
        QDirIterator sounds(source.filePath(QStringLiteral("audio")), QDir::Files);
        while (sounds.hasNext()) {
            sounds.next();
            CopyFile(sounds.filePath(), target.filePath(QStringLiteral("audio/") + sounds.fileName()));
        }
    }
    const QStringList wanted{QStringLiteral("*.html"), QStringLiteral("*.png"), QStringLiteral("PERGUNTASBACK.TXT"),
                             QStringLiteral("PERGUNTAS.TXT")};
    for (const QString& name : source.entryList(wanted, QDir::Files))
        CopyFile(source.filePath(name), target.filePath(name));
    const QString path = folder->path();
    QDir::setCurrent(path);
    runFolder_ = std::move(folder);
    return path;
}

void Harness::Click(QWidget* w)
{
    QWidget* window = w->window();
    const QPoint centre = w->rect().center();
    if (window->isVisible() && window->windowHandle()) {
        // Through the window, as the mouse does: the control on top gets it, and a window that a
        // modal run blocks gets nothing.
        if (!BlockedByModal(window))
            QApplication::setActiveWindow(window);
        // The middle of the part that shows: a control may reach beyond the client area.
        const QRect shown = QRect(w->mapTo(window, QPoint(0, 0)), w->size()).intersected(window->rect());
        const QPoint at = shown.isEmpty() ? w->mapTo(window, centre) : shown.center();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
        return;
    }
    if (ShownInItsWindow(w))
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, centre);
}

void Harness::MoveMouseOver(QWidget* w)
{
    if (w->window()->isVisible() && BlockedByModal(w->window()))
        return;
    const QPointF centre = w->rect().center();
    const QPointF global = w->mapToGlobal(centre);
    QEnterEvent enter(centre, centre, global);
    QApplication::sendEvent(w, &enter);
    QMouseEvent move(QEvent::MouseMove, centre, centre, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

void Harness::LeaveWidget(QWidget* w)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w, &leave);
}

void Harness::Type(QWidget* w, const QString& text)
{
    // The keyboard reaches only the window in front: keys meant for a blocked window are lost.
    if (w->window()->isVisible() && BlockedByModal(w->window()))
        return;
    QWidget* target = KeyTarget(w);
    target->setFocus(Qt::OtherFocusReason);
    // Letters beyond ASCII (accents) come as key events carrying their text, as a keyboard layout
    // delivers them.
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(target, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void Harness::Key(QWidget* w, int qtKey, Qt::KeyboardModifiers m)
{
    if (w->window()->isVisible() && BlockedByModal(w->window()))
        return;
    QWidget* target = KeyTarget(w);
    target->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(target, Qt::Key(qtKey), m);
}

void Harness::CloseBox(QWidget* window)
{
    window->close();
}

QString Harness::SaveScreenshot(QWidget* window, const QString& name)
{
    const QDir folder(QStringLiteral(PELVANT_TEST_OUTPUT_DIR));
    folder.mkpath(QStringLiteral("."));
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    if (!window->grab().save(path))
        ADD_FAILURE() << "cannot save the screenshot " << path.toStdString();
    return path;
}
