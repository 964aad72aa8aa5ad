#include "toolkit/MediaPlayer.h"

#include "toolkit/Exception.h"
#include "toolkit/SoundFile.h"
#include "toolkit/SoundOutput.h"

namespace {

std::function<void(const TMediaPlayer&, TMediaCall)>& Observer()
{
    static std::function<void(const TMediaPlayer&, TMediaCall)> observer;
    return observer;
}

void Tell(const TMediaPlayer& player, TMediaCall call)
{
    if (Observer()) {
        const auto observer = Observer();
        observer(player, call);
    }
}

} // namespace

void SetMediaObserver(std::function<void(const TMediaPlayer& player, TMediaCall call)> observer)
{
    Observer() = std::move(observer);
}

int SoundingPlayers()
{
    return VoicesSounding();
}

TMediaPlayer::TMediaPlayer(QWidget* parent) : TControl<QWidget>(parent), voice_(TakeVoice())
{
    setVisible(false);
}

TMediaPlayer::~TMediaPlayer()
{
    // Destroying the window silences its sounds, as closing the player does.
    if (sound_)
        Tell(*this, TMediaCall::Close);
    GiveBackVoice(voice_);
}

void TMediaPlayer::ApplyLayout(const THandlerTable& handlers)
{
    ApplyCommonLayout(handlers);
    const QVariant file = property("FileName");
    if (file.isValid())
        fileName_ = file.toString();
    // A player has no buttons: it is never seen.
    setVisible(false);
}

void TMediaPlayer::Open()
{
    Tell(*this, TMediaCall::Open);
    CloseDevice();
    QString path = fileName_;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // Without any sound output at all the game goes on silently, the same at every Open; the file
    // is still checked, so a missing or unplayable sound is told as on any other machine.
    StartSoundOutput();
    if (path.isEmpty())
        throw EMCIDeviceError(QStringLiteral("Não foi possível abrir o arquivo de som: nenhum nome de arquivo foi dado"));
    sound_ = LoadSound(path);
}

void TMediaPlayer::Play()
{
    Tell(*this, TMediaCall::Play);
    if (!sound_)
        throw EMCIDeviceError(QStringLiteral("O reprodutor de som não está aberto"));
    StartVoice(voice_, sound_);
}

void TMediaPlayer::Stop()
{
    Tell(*this, TMediaCall::Stop);
    if (!sound_)
        throw EMCIDeviceError(QStringLiteral("O reprodutor de som não está aberto"));
    SilenceVoice(voice_);
}

void TMediaPlayer::Close()
{
    Tell(*this, TMediaCall::Close);
    CloseDevice();
}

void TMediaPlayer::CloseDevice()
{
    SilenceVoice(voice_);
    sound_.reset();
}

bool TMediaPlayer::IsPlaying() const
{
    return sound_ && VoiceSounding(voice_);
}
