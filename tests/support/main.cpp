#include "Harness.h"

#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/SingleInstance.h"
#include "toolkit/SoundOutput.h"

#include <QByteArray>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

// A second process for the single-instance tests: takes the lock, says so, and holds it until it
// is killed (or gives up after a minute, so a crashed test leaves nothing behind for long).
int HoldInstanceLock(const char* name)
{
    const bool held = AcquireInstanceLock(QString::fromUtf8(name));
    std::printf("%s\n", held ? "held" : "refused");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(60));
    return held ? 0 : 1;
}

// A second process for the sound-output tests: opens and plays a file with whatever audio driver
// the environment names, and says what happened and which driver the sound went to.
int PlaySound(int& argc, char** argv, const char* file)
{
    TApplication application(argc, argv);
    TMediaPlayer player;
    player.SetFileName(QString::fromLocal8Bit(file));
    try {
        player.Open();
        player.Play();
        // Once the output has started, whatever became of it, a second Open is treated as the first.
        const QString driver = SoundOutputDriver();
        player.Open();
        player.Play();
        std::printf("%s\n", player.IsPlaying() ? "playing" : "silent");
        std::printf("%s\n", qPrintable(driver));
    } catch (const Exception& error) {
        std::printf("error: %s\n", error.what());
    }
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const size_t flagLength = std::strlen(Harness::kHoldLockFlag);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], Harness::kHoldLockFlag, flagLength) == 0)
            return HoldInstanceLock(argv[i] + flagLength);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const size_t playLength = std::strlen(Harness::kPlaySoundFlag);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], Harness::kPlaySoundFlag, playLength) == 0)
            return PlaySound(argc, argv, argv[i] + playLength);

    // Headless and silent wherever the tests are started from, also when test discovery runs
    // them outside CTest's environment.
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");

    ::testing::InitGoogleTest(&argc, argv);
    TApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
