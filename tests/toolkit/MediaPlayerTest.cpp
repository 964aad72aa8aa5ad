#include "SampleForm.h"
#include "support/Harness.h"

#include "toolkit/Exception.h"
#include "toolkit/MediaPlayer.h"

#include <QDir>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include <sys/stat.h>

namespace {

const QString kData = QStringLiteral(PELVANT_SOURCE_DIR "/tests/toolkit/data/");

// A working directory with audio/tone.wav and audio/chime.mp3, the files SampleForm's players name.
class MediaPlayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        harness.MakeRunFolder();
        QDir().mkpath("audio");
        QFile::remove("audio/tone.wav");
        QFile::remove("audio/chime.mp3");
        ASSERT_TRUE(QFile::copy(kData + "tone.wav", "audio/tone.wav"));
        ASSERT_TRUE(QFile::copy(kData + "tone.mp3", "audio/chime.mp3"));
    }
    Harness harness;
};

TEST_F(MediaPlayer, FilesThatCannotBeOpenedRaiseTheDeviceError)
{
    QFile garbage("audio/garbage.mp3");
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4000, 'x'));
    garbage.close();
    QFile("audio/empty.mp3").open(QIODevice::WriteOnly);
    QDir().mkpath("audio/folder.mp3");
    // An MP3 that lost its end: its own header states a length the file falls short of.
    QFile whole(QStringLiteral(PELVANT_SOURCE_DIR "/assets/audio/errou.mp3"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QFile cut("audio/cut.mp3");
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.read(whole.size() / 2));
    cut.close();
    // Neither a pipe nor a device may hold the program: opening one would block or never end.
    ASSERT_EQ(mkfifo("audio/pipe.mp3", 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/null", "audio/device.mp3"));

    const QString names[] = {"audio\\missing.mp3", "audio\\garbage.mp3", "audio\\empty.mp3", "audio\\folder.mp3", "nowhere\\tone.wav",
                             "audio\\cut.mp3",     "audio\\pipe.mp3",    "audio\\device.mp3"};
    for (const QString& name : names) {
        TMediaPlayer player;
        player.setObjectName("Player");
        player.SetFileName(name);
        QString message;
        try {
            player.Open();
        } catch (const EMCIDeviceError& error) {
            message = error.Message();
        }
        QString shown = name;
        shown.replace('\\', '/');
        EXPECT_TRUE(message.contains(shown)) << name.toStdString() << ": \"" << message.toStdString() << "\"";
        EXPECT_FALSE(player.IsOpen());
        EXPECT_THROW(player.Play(), EMCIDeviceError) << "a player that failed to open cannot play";
        EXPECT_NO_THROW(player.Close());
    }
    // The observer hears of a failing Open too.
    ASSERT_GE(harness.sounds.size(), 1);
    EXPECT_EQ(harness.sounds[0].player, "Player");
    EXPECT_EQ(harness.sounds[0].call, TMediaCall::Open);
    TMediaPlayer unnamed;
    EXPECT_THROW(unnamed.Open(), EMCIDeviceError);
}

TEST_F(MediaPlayer, OpensMp3AndWaveFilesNamedWithBackslashes)
{
    SampleForm form;
    for (TMediaPlayer* player : {form.MediaPlayer1, form.MediaPlayer2}) {
        ASSERT_NO_THROW(player->Open()) << player->FileName().toStdString();
        EXPECT_TRUE(player->IsOpen());
        EXPECT_FALSE(player->IsPlaying()) << "opening does not start the sound";
        player->Play();
        EXPECT_TRUE(player->IsPlaying());
        player->Stop();
        EXPECT_FALSE(player->IsPlaying());
        EXPECT_TRUE(player->IsOpen()) << "a stopped player stays open";
        player->Close();
        EXPECT_FALSE(player->IsOpen());
    }
    EXPECT_EQ(form.MediaPlayer1->FileName(), "audio\\tone.wav");
    const QVector<SoundCall> calls = harness.SoundsOf("MediaPlayer2");
    ASSERT_EQ(calls.size(), 4);
    EXPECT_EQ(calls[0].call, TMediaCall::Open);
    EXPECT_EQ(calls[1].call, TMediaCall::Play);
    EXPECT_EQ(calls[2].call, TMediaCall::Stop);
    EXPECT_EQ(calls[3].call, TMediaCall::Close);
    EXPECT_EQ(calls[0].file, "audio\\chime.mp3");
}

TEST_F(MediaPlayer, OpeningAgainStopsTheSoundSoPlayStartsItOver)
{
    SampleForm form;
    form.MediaPlayer1->Open();
    form.MediaPlayer1->Play();
    ASSERT_TRUE(form.MediaPlayer1->IsPlaying());
    form.MediaPlayer1->Open();
    EXPECT_FALSE(form.MediaPlayer1->IsPlaying());
    EXPECT_TRUE(form.MediaPlayer1->IsOpen());
    form.MediaPlayer1->Play();
    EXPECT_TRUE(form.MediaPlayer1->IsPlaying());
    // A file changed since it was opened is read anew, not taken from what was decoded before.
    QFile changed("audio/tone.wav");
    ASSERT_TRUE(changed.open(QIODevice::WriteOnly | QIODevice::Truncate));
    changed.write(QByteArray(100, 'x'));
    changed.close();
    EXPECT_THROW(form.MediaPlayer1->Open(), EMCIDeviceError);
    // Reopening a file that has gone away fails, and leaves the player closed and silent.
    ASSERT_TRUE(QFile::remove("audio/tone.wav") && QFile::copy(kData + "tone.wav", "audio/tone.wav"));
    form.MediaPlayer1->Open();
    form.MediaPlayer1->Play();
    QFile::remove("audio/tone.wav");
    EXPECT_THROW(form.MediaPlayer1->Open(), EMCIDeviceError);
    EXPECT_FALSE(form.MediaPlayer1->IsPlaying());
    EXPECT_FALSE(form.MediaPlayer1->IsOpen());
}

TEST_F(MediaPlayer, PlayersSoundTogetherAndStopOnlyThemselves)
{
    SampleForm form;
    form.MediaPlayer1->Open();
    form.MediaPlayer2->Open();
    form.MediaPlayer1->Play();
    form.MediaPlayer2->Play();
    EXPECT_TRUE(form.MediaPlayer1->IsPlaying());
    EXPECT_TRUE(form.MediaPlayer2->IsPlaying());
    form.MediaPlayer1->Stop();
    EXPECT_FALSE(form.MediaPlayer1->IsPlaying());
    EXPECT_TRUE(form.MediaPlayer2->IsPlaying());

    // Many windows' worth of players each keep a channel of their own.
    std::vector<std::unique_ptr<TMediaPlayer>> crowd;
    for (int i = 0; i < 40; ++i) {
        crowd.push_back(std::make_unique<TMediaPlayer>());
        crowd.back()->SetFileName("audio/tone.wav");
        crowd.back()->Open();
        crowd.back()->Play();
    }
    for (const auto& player : crowd)
        EXPECT_TRUE(player->IsPlaying());
    EXPECT_TRUE(form.MediaPlayer2->IsPlaying());
}

TEST_F(MediaPlayer, DestroyingTheWindowClosesItsPlayers)
{
    auto form = std::make_unique<SampleForm>();
    form->MediaPlayer1->Open();
    form->MediaPlayer2->Open();
    form->MediaPlayer1->Play();
    form->MediaPlayer2->Play();
    ASSERT_EQ(SoundingPlayers(), 2);
    harness.sounds.clear();
    form.reset();
    EXPECT_EQ(SoundingPlayers(), 0);
    ASSERT_EQ(harness.sounds.size(), 2);
    EXPECT_EQ(harness.sounds[0].call, TMediaCall::Close);
    EXPECT_EQ(harness.sounds[1].call, TMediaCall::Close);
}

TEST_F(MediaPlayer, ErrorFromAHandlerGoesToTheErrorBox)
{
    SampleForm form;
    form.Show();
    form.onButtonClick = [&] {
        form.MediaPlayer1->SetFileName("audio\\absent.mp3");
        form.MediaPlayer1->Open();
        form.MediaPlayer1->Play();
    };
    Harness::Click(form.Button1);
    ASSERT_EQ(harness.dialogs.size(), 1);
    EXPECT_TRUE(harness.dialogs[0].text.contains("audio/absent.mp3"));
    EXPECT_EQ(harness.SoundsOf("MediaPlayer1").size(), 1) << "Play never ran";
}

} // namespace

namespace {

// Without a usable audio device the program plays silently instead of failing: run in a process
// of its own, since the sound output is set up once per process.
TEST(SoundOutput, FallsBackToTheSilentDriverWhenNoDeviceOpens)
{
    // "" is the machine's own choice: a real device where there is one, else the fallback.
    for (const char* driver : {"no-such-driver", "", "dummy"}) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("SDL_AUDIODRIVER", driver);
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(Harness::kPlaySoundFlag) + kData + "tone.mp3"});
        ASSERT_TRUE(child.waitForFinished(30000));
        const QList<QByteArray> said = child.readAllStandardOutput().split('\n');
        ASSERT_GE(said.size(), 2) << driver;
        EXPECT_EQ(said[0], "playing") << driver;
        EXPECT_FALSE(said[1].isEmpty()) << driver << ": the sound went to no driver";
        if (*driver != '\0') {
            EXPECT_EQ(said[1], "dummy") << driver;
        }
        EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
    }
}

// A machine where the sound library cannot be loaded runs the game as one without a device:
// silently, and never with an error box at one Open but not at another.
TEST(SoundOutput, WithoutTheSoundLibraryEveryOpenPlaysSilently)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile broken(folder.filePath("libSDL2-2.0.so.0"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.close();
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LD_LIBRARY_PATH", folder.path());
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(Harness::kPlaySoundFlag) + kData + "tone.mp3"});
    ASSERT_TRUE(child.waitForFinished(30000));
    const QList<QByteArray> said = child.readAllStandardOutput().split('\n');
    ASSERT_GE(said.size(), 2);
    EXPECT_EQ(said[0], "playing");
    EXPECT_EQ(said[1], "") << "the sound found a driver although the library was not loaded";
}

} // namespace
