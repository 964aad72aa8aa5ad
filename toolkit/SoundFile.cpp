#include "toolkit/SoundFile.h"

#include "toolkit/Exception.h"
#include "toolkit/SdlLibrary.h"

#include <QFile>
#include <QHash>

#include <mpg123.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

EMCIDeviceError CannotOpen(const QString& path, const QString& reason)
{
    return EMCIDeviceError(QStringLiteral("Não foi possível abrir o arquivo de som \"%1\": %2").arg(path, reason));
}

// An open file, closed when it goes out of scope unless handed on.
class TDescriptor {
public:
    explicit TDescriptor(int fd) : fd_(fd) {}
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    ~TDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }
    void Adopt(TDescriptor& other)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.Release();
    }

private:
    int fd_;
};

// What tells one version of a file from another, short of reading it.
struct TIdentity {
    dev_t device;
    ino_t inode;
    off_t size;
    time_t seconds;
    long nanoseconds;

    explicit TIdentity(const struct stat& status)
        : device(status.st_dev), inode(status.st_ino), size(status.st_size), seconds(status.st_mtim.tv_sec),
          nanoseconds(status.st_mtim.tv_nsec)
    {
    }
    bool operator==(const TIdentity&) const = default;
};

struct TCachedSound {
    TIdentity identity;
    std::shared_ptr<const TSoundData> sound;
};

// Every sound decoded in this run, by file name. Only the GUI thread opens players, so only it
// touches this.
QHash<QString, TCachedSound>& Cache()
{
    static QHash<QString, TCachedSound> cache;
    return cache;
}

quint32 BigEndian32(const unsigned char* bytes)
{
    return quint32(bytes[0]) << 24 | quint32(bytes[1]) << 16 | quint32(bytes[2]) << 8 | quint32(bytes[3]);
}

// The Xing/Info frame that encoders put first in an MP3 states how many bytes the whole stream
// has. Returns that count, or -1 when the file does not state it.
qint64 StatedStreamBytes(int fd)
{
    unsigned char head[512];
    ssize_t got = pread(fd, head, sizeof head, 0);
    if (got >= 10 && std::memcmp(head, "ID3", 3) == 0) {
        const off_t tagEnd = 10 + (off_t(head[6] & 0x7f) << 21 | off_t(head[7] & 0x7f) << 14 | off_t(head[8] & 0x7f) << 7 | off_t(head[9] & 0x7f))
                             + ((head[5] & 0x10) ? 10 : 0);
        got = pread(fd, head, sizeof head, tagEnd);
    }
    if (got < 4 || head[0] != 0xff || (head[1] & 0xe0) != 0xe0)
        return -1;
    const int version = (head[1] >> 3) & 3; // 3 is MPEG-1, 1 is reserved
    const int layer = (head[1] >> 1) & 3;   // 1 is layer III
    if (layer != 1 || version == 1)
        return -1;
    const bool mono = (head[3] >> 6) == 3;
    const ssize_t tag = 4 + (version == 3 ? (mono ? 17 : 32) : (mono ? 9 : 17));
    if (got < tag + 16 || (std::memcmp(head + tag, "Xing", 4) != 0 && std::memcmp(head + tag, "Info", 4) != 0))
        return -1;
    const quint32 flags = BigEndian32(head + tag + 4);
    const ssize_t bytes = tag + 8 + ((flags & 1) ? 4 : 0);
    if (!(flags & 2))
        return -1;
    return BigEndian32(head + bytes);
}

bool IsWave(int fd)
{
    char head[12];
    return pread(fd, head, sizeof head, 0) == ssize_t(sizeof head) && std::memcmp(head, "RIFF", 4) == 0
           && std::memcmp(head + 8, "WAVE", 4) == 0;
}

// A wave file is small and needs no decoding: it is converted whole, here.
std::shared_ptr<TSoundData> LoadWave(const QString& path, int fd)
{
    QString why;
    const TSdlLibrary* sdl = Sdl(&why);
    if (!sdl)
        throw CannotOpen(path, QStringLiteral("não há suporte a som WAV (%1)").arg(why));
    const int copy = fcntl(fd, F_DUPFD_CLOEXEC, 0);
    FILE* stream = copy >= 0 ? fdopen(copy, "rb") : nullptr;
    if (!stream) {
        if (copy >= 0)
            ::close(copy);
        throw CannotOpen(path, QStringLiteral("o arquivo não pode ser lido"));
    }
    SDL_AudioSpec stored{};
    Uint8* wave = nullptr;
    Uint32 length = 0;
    if (!sdl->LoadWAV_RW(sdl->RWFromFP(stream, SDL_TRUE), 1, &stored, &wave, &length))
        throw CannotOpen(path, QStringLiteral("o som WAV do arquivo está danificado ou num formato desconhecido"));
    auto sound = std::make_shared<TSoundData>();
    SDL_AudioCVT conversion;
    const bool converts = sdl->BuildAudioCVT(&conversion, stored.format, stored.channels, stored.freq, AUDIO_S16SYS, 2, kSoundRate) >= 0;
    if (converts && length > 0) {
        std::vector<Uint8> buffer(size_t(length) * size_t(conversion.len_mult));
        std::memcpy(buffer.data(), wave, length);
        conversion.buf = buffer.data();
        conversion.len = int(length);
        if (sdl->ConvertAudio(&conversion) == 0) {
            sound->samples.resize(size_t(conversion.len_cvt) / sizeof(int16_t));
            std::memcpy(sound->samples.data(), buffer.data(), sound->samples.size() * sizeof(int16_t));
        }
    }
    sdl->FreeWAV(wave);
    if (sound->samples.empty())
        throw CannotOpen(path, QStringLiteral("o arquivo não contém som"));
    sound->ready.store(true, std::memory_order_release);
    return sound;
}

// The decoder of one MP3 file, and the file it reads.
struct TMpegDecoding {
    mpg123_handle* decoder = nullptr;
    TDescriptor file{-1};
    std::shared_ptr<TSoundData> sound;

    ~TMpegDecoding() { mpg123_delete(decoder); }

    // Decodes up to `bytes` more sound onto the end of the sound: appended, so a sound whose
    // length was known beforehand never moves.
    int ReadMore(size_t bytes)
    {
        unsigned char chunk[64 * 1024];
        size_t got = 0;
        const int result = mpg123_read(decoder, chunk, std::min(bytes, sizeof chunk), &got);
        const auto* from = reinterpret_cast<const int16_t*>(chunk);
        sound->samples.insert(sound->samples.end(), from, from + got / sizeof(int16_t));
        return result;
    }

    void DecodeRest()
    {
        int result = MPG123_OK;
        const size_t longest = kLongestSoundFrames * size_t(sound->channels);
        while ((result == MPG123_OK || result == MPG123_NEW_FORMAT) && sound->samples.size() < longest)
            result = ReadMore((longest - sound->samples.size()) * sizeof(int16_t));
        auto& samples = sound->samples;
        if (samples.capacity() > samples.size() + samples.size() / 8)
            samples.shrink_to_fit();
        sound->ready.store(true, std::memory_order_release);
    }
};

// Checks an MP3 here, as far as its first sound, and leaves the rest to the background thread.
std::shared_ptr<TSoundData> LoadMpeg(const QString& path, TDescriptor& file, off_t size)
{
    const qint64 stated = StatedStreamBytes(file.Get());
    if (stated > size)
        throw CannotOpen(path, QStringLiteral("o arquivo está incompleto: tem %1 bytes dos %2 que deveria ter").arg(size).arg(stated));

    const QString notSound = QStringLiteral("o arquivo não contém som MP3 nem WAV");
    // Older libraries build their tables here; newer ones need nothing, and both accept the call.
    static const bool ready = mpg123_init() == MPG123_OK;
    if (!ready)
        throw CannotOpen(path, QStringLiteral("o decodificador de MP3 não pôde ser iniciado"));
    auto decoding = std::make_shared<TMpegDecoding>();
    decoding->decoder = mpg123_new(nullptr, nullptr);
    mpg123_handle* decoder = decoding->decoder;
    if (!decoder)
        throw CannotOpen(path, QStringLiteral("não há memória para decodificar o som"));
    mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_format_none(decoder);
    mpg123_format(decoder, kSoundRate, MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_open_fd(decoder, file.Get()) != MPG123_OK || mpg123_getformat(decoder, &rate, &channels, &encoding) != MPG123_OK)
        throw CannotOpen(path, notSound);
    // The whole stream keeps the channels of its first frame, whatever later frames say.
    mpg123_format_none(decoder);
    mpg123_format(decoder, rate, channels, encoding);

    decoding->sound = std::make_shared<TSoundData>();
    decoding->sound->channels = channels;
    // Room for the length the file states or suggests, within reason: a file's own word on its
    // length is no reason to take a gigabyte.
    const off_t length = std::min<off_t>(mpg123_length(decoder), off_t(kLongestSoundFrames));
    if (length > 0)
        decoding->sound->samples.reserve(size_t(length) * size_t(channels));
    int result = MPG123_OK;
    for (int tries = 0; tries < 16 && decoding->sound->samples.empty() && (result == MPG123_OK || result == MPG123_NEW_FORMAT); ++tries)
        result = decoding->ReadMore(4096 * sizeof(int16_t));
    if (decoding->sound->samples.empty())
        throw CannotOpen(path, notSound);

    decoding->file.Adopt(file);
    auto sound = decoding->sound;
    RunInBackground([decoding] { decoding->DecodeRest(); });
    return sound;
}

QString OpenFailure(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("o arquivo não existe");
    case ELOOP:
        return QStringLiteral("o caminho do arquivo dá voltas em si mesmo");
    case ENAMETOOLONG:
        return QStringLiteral("o nome do arquivo é longo demais");
    default:
        return QStringLiteral("o arquivo não pode ser lido");
    }
}

QString NotRegularFile(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("é uma pasta");
    if (S_ISFIFO(mode))
        return QStringLiteral("não é um arquivo comum, mas um pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("não é um arquivo comum, mas um dispositivo");
    if (S_ISSOCK(mode))
        return QStringLiteral("não é um arquivo comum, mas um soquete");
    return QStringLiteral("não é um arquivo comum");
}

} // namespace

std::shared_ptr<const TSoundData> LoadSound(const QString& path)
{
    // Without O_NONBLOCK a pipe would hold the open until someone writes to it; what is opened is
    // then checked and read through this one descriptor, so it cannot be swapped in between.
    TDescriptor file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0)
        throw CannotOpen(path, OpenFailure(errno));
    struct stat status;
    if (fstat(file.Get(), &status) != 0)
        throw CannotOpen(path, QStringLiteral("o arquivo não pode ser lido"));
    if (!S_ISREG(status.st_mode))
        throw CannotOpen(path, NotRegularFile(status.st_mode));
    if (status.st_size == 0)
        throw CannotOpen(path, QStringLiteral("o arquivo está vazio"));

    const TIdentity identity(status);
    auto& cache = Cache();
    const auto cached = cache.constFind(path);
    if (cached != cache.constEnd() && cached->identity == identity)
        return cached->sound;
    // A file changed since it was decoded is decoded anew; the old sound lives on only in the
    // players still holding it.
    cache.remove(path);

    std::shared_ptr<const TSoundData> sound = IsWave(file.Get()) ? LoadWave(path, file.Get()) : LoadMpeg(path, file, status.st_size);
    cache.insert(path, TCachedSound{identity, sound});
    return sound;
}
