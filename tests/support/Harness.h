#pragma once

#include "toolkit/Form.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/MessageDialog.h"

#include <QQueue>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>
#include <ostream>

// Readable failure messages for Qt strings in test expectations.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out)
{
    *out << '{';
    for (qsizetype i = 0; i < list.size(); ++i) {
        *out << (i ? ", " : "");
        PrintTo(list[i], out);
    }
    *out << '}';
}

class QTemporaryDir;

struct DialogRecord {
    QString caption;
    QString text;
    TMsgIcon icon;
    QStringList buttons;
    int helpContext;
    int result;
};

struct SoundCall {
    QString player;
    QString file;
    TMediaCall call;
};

// One test's view of the program: every dialog, pause, sound and shell call is recorded, dialogs
// and modal runs are answered from queues, timers only tick when the test says so. Nothing can
// hang: a dialog or modal run with nothing queued for it is closed at once and counted.
class Harness {
public:
    Harness();
    ~Harness();
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    // Dialogs: answers are queued and consumed in order by the dialogs as they open.
    void AnswerNextDialog(const QString& buttonCaption);
    void AnswerNextDialogWithKey(int qtKey);
    void CloseNextDialogWithCloseBox();
    void OnNextDialog(std::function<void(TMessageDialog&)> action);
    QVector<DialogRecord> dialogs;
    int unansweredDialogs = 0;

    // Pauses, sounds, shell
    QVector<unsigned> pauses;
    QVector<bool> pauseWindowVisible;
    QVector<SoundCall> sounds;
    QVector<SoundCall> SoundsOf(const QString& player) const;
    QStringList openedAddresses;

    // Generator: SeedRandomFromClock() gives this seed (default 12345).
    void SetSeed(quint32 seed);

    // Modal runs: queued actions run inside the next ShowModal's loop, in order (nested modal
    // runs too). A modal run with nothing queued, or still running when its action returns, is
    // closed (as by its close box) and counted in unansweredModals.
    void OnNextModal(std::function<void(TForm*)> action);
    int unansweredModals = 0;

    // A fresh temporary run folder (audio/, the pages, the question banks), made the working
    // directory; returns its path.
    QString MakeRunFolder();

    // Input as a person gives it. Clicks, keys and pointer moves meant for a window that a modal
    // run or a dialog blocks are lost.
    static void Click(QWidget* w);
    static void MoveMouseOver(QWidget* w);
    static void LeaveWidget(QWidget* w);
    static void Type(QWidget* w, const QString& text);
    static void Key(QWidget* w, int qtKey, Qt::KeyboardModifiers m = Qt::NoModifier);
    static void CloseBox(QWidget* window);

    // Saves window->grab() to PELVANT_TEST_OUTPUT_DIR/<name>.png and returns the path.
    static QString SaveScreenshot(QWidget* window, const QString& name);

    // The argument that makes a test program hold an instance lock instead of running tests:
    // "<flag><lock name>". It prints "held" or "refused" and waits to be killed (at most a minute).
    static constexpr const char* kHoldLockFlag = "--hold-instance-lock=";
    // "<flag><sound file>": the test program opens and plays that file with the audio driver its
    // environment names, prints "playing", "silent" or "error: <text>", and ends.
    static constexpr const char* kPlaySoundFlag = "--play-sound=";

private:
    QQueue<std::function<void(TMessageDialog&)>> dialogAnswers_;
    QQueue<std::function<void(TForm*)>> modalActions_;
    quint32 seed_ = 12345;
    QString previousDir_;
    std::unique_ptr<QTemporaryDir> runFolder_;
};
