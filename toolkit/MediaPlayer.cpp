#include "toolkit/MediaPlayer.h"

#include "toolkit/Exception.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <SDL.h>
#include <SDL_mixer.h>

#include <vector>

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

bool OpenDevice()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

// The sound output is set up once, when the first player opens. A machine without a working
// audio device gets SDL's silent driver, so the program runs on without sound.
QString StartAudio()
{
    static bool started = false;
    static QString failure;
    if (started)
        return failure;
    started = true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (!OpenDevice()) {
        const QString first = QString::fromUtf8(SDL_GetError());
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        if (!OpenDevice())
            failure = first;
    }
    if (failure.isEmpty())
        Mix_Init(MIX_INIT_MP3);
    return failure;
}

// Each player has a mixing channel of its own, so players sound together and one player's Stop
// never silences another.
std::vector<bool>& ChannelsInUse()
{
    static std::vector<bool> inUse;
    return inUse;
}

int TakeChannel()
{
    auto& inUse = ChannelsInUse();
    for (size_t i = 0; i < inUse.size(); ++i)
        if (!inUse[i]) {
            inUse[i] = true;
            return int(i);
        }
    const size_t taken = inUse.size();
    const size_t grown = std::max<size_t>(32, taken * 2);
    Mix_AllocateChannels(int(grown));
    inUse.resize(grown, false);
    inUse[taken] = true;
    return int(taken);
}

void GiveBackChannel(int channel)
{
    auto& inUse = ChannelsInUse();
    if (channel >= 0 && size_t(channel) < inUse.size())
        inUse[channel] = false;
}

} // namespace

void SetMediaObserver(std::function<void(const TMediaPlayer& player, TMediaCall call)> observer)
{
    Observer() = std::move(observer);
}

TMediaPlayer::TMediaPlayer(QWidget* parent) : TControl<QWidget>(parent)
{
    setVisible(false);
}

TMediaPlayer::~TMediaPlayer()
{
    // Destroying the window silences its sounds, as closing the player does.
    if (chunk_)
        Tell(*this, TMediaCall::Close);
    CloseDevice();
    GiveBackChannel(channel_);
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
    const QString failure = StartAudio();
    if (!failure.isEmpty())
        throw EMCIDeviceError(QStringLiteral("Não foi possível abrir o arquivo de som \"%1\": não há saída de áudio (%2)").arg(path, failure));
    if (path.isEmpty())
        throw EMCIDeviceError(QStringLiteral("Não foi possível abrir o arquivo de som: nenhum nome de arquivo foi dado"));
    const QFileInfo file(path);
    if (!file.exists())
        throw EMCIDeviceError(QStringLiteral("Não foi possível abrir o arquivo de som \"%1\": o arquivo não existe").arg(path));
    if (file.isDir())
        throw EMCIDeviceError(QStringLiteral("Não foi possível abrir o arquivo de som \"%1\": é uma pasta").arg(path));
    if (!file.isReadable())
        throw EMCIDeviceError(QStringLiteral("Não foi possível abrir o arquivo de som \"%1\": o arquivo não pode ser lido").arg(path));
    chunk_ = Mix_LoadWAV(QFile::encodeName(path).constData());
    if (!chunk_)
        throw EMCIDeviceError(
            QStringLiteral("Não foi possível abrir o arquivo de som \"%1\": %2").arg(path, QString::fromUtf8(Mix_GetError())));
    if (channel_ < 0)
        channel_ = TakeChannel();
}

void TMediaPlayer::Play()
{
    Tell(*this, TMediaCall::Play);
    if (!chunk_)
        throw EMCIDeviceError(QStringLiteral("O reprodutor de som não está aberto"));
    Mix_HaltChannel(channel_);
    Mix_PlayChannel(channel_, chunk_, 0);
}

void TMediaPlayer::Stop()
{
    Tell(*this, TMediaCall::Stop);
    if (!chunk_)
        throw EMCIDeviceError(QStringLiteral("O reprodutor de som não está aberto"));
    Mix_HaltChannel(channel_);
}

void TMediaPlayer::Close()
{
    Tell(*this, TMediaCall::Close);
    CloseDevice();
}

void TMediaPlayer::CloseDevice()
{
    if (!chunk_)
        return;
    Mix_HaltChannel(channel_);
    Mix_FreeChunk(chunk_);
    chunk_ = nullptr;
}

bool TMediaPlayer::IsPlaying() const
{
    return chunk_ && channel_ >= 0 && Mix_Playing(channel_) != 0;
}
