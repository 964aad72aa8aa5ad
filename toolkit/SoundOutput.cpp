#include "toolkit/SoundOutput.h"

#include "toolkit/SdlLibrary.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

struct TVoice {
    std::shared_ptr<const TSoundData> sound;
    size_t position = 0; // frames already played
    bool taken = false;
    bool sounding = false;
};

// Never destroyed: the audio device's thread mixes the voices, and the background thread waits
// for work, until the process ends. Left alive, the background thread also keeps what SDL holds
// for it (its last error text) reachable to the end.
class TSoundOutput {
public:
    void Run(std::function<void()> job)
    {
        {
            std::lock_guard lock(jobsLock_);
            jobs_.push_back(std::move(job));
            if (!worker_.joinable())
                worker_ = std::thread([this] { Work(); });
        }
        jobsReady_.notify_one();
    }

    void Start()
    {
        std::call_once(startAsked_, [this] {
            {
                std::lock_guard lock(startLock_);
                startRequested_ = true;
            }
            Run([this] { OpenDevice(); });
        });
    }

    void FinishStart()
    {
        std::unique_lock lock(startLock_);
        started_.wait(lock, [this] { return !startRequested_ || startDone_; });
    }

    QString Driver()
    {
        Start();
        std::unique_lock lock(startLock_);
        started_.wait(lock, [this] { return startDone_; });
        return driver_;
    }

    std::mutex voicesLock;
    std::vector<TVoice> voices;

private:
    void Work()
    {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(jobsLock_);
                jobsReady_.wait(lock, [this] { return !jobs_.empty(); });
                job = std::move(jobs_.front());
                jobs_.pop_front();
            }
            // A job that fails (no memory for a sound, say) leaves its sound silent; the thread
            // goes on with the next one instead of taking the program down.
            try {
                job();
            } catch (...) {
            }
        }
    }

    static SDL_AudioDeviceID TryDriver(const TSdlLibrary& sdl, const char* driver, QString& error, TSoundOutput* output)
    {
        if (sdl.AudioInit(driver) != 0) {
            error = QString::fromUtf8(sdl.GetError());
            return 0;
        }
        SDL_AudioSpec wanted{};
        wanted.freq = kSoundRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 2;
        wanted.samples = 1024;
        wanted.callback = [](void* output, Uint8* stream, int bytes) {
            static_cast<TSoundOutput*>(output)->Mix(reinterpret_cast<int16_t*>(stream), bytes / int(2 * sizeof(int16_t)));
        };
        wanted.userdata = output;
        SDL_AudioSpec obtained{};
        // No changes allowed: SDL converts to whatever the device takes, so the mixer always
        // writes 16-bit stereo at kSoundRate.
        const SDL_AudioDeviceID device = sdl.OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (device == 0) {
            error = QString::fromUtf8(sdl.GetError());
            sdl.AudioQuit();
        }
        return device;
    }

    // A machine without a working audio device gets SDL's silent driver, so the program runs on
    // without sound.
    void OpenDevice()
    {
        QString first;
        QString fallback;
        SDL_AudioDeviceID device = 0;
        const TSdlLibrary* sdl = Sdl(&first);
        if (sdl) {
            device = TryDriver(*sdl, nullptr, first, this);
            if (device == 0)
                device = TryDriver(*sdl, "dummy", fallback, this);
            if (device != 0)
                sdl->PauseAudioDevice(device, 0);
        }
        {
            std::lock_guard lock(startLock_);
            if (device != 0)
                driver_ = QString::fromUtf8(sdl->GetCurrentAudioDriver());
            startDone_ = true;
        }
        started_.notify_all();
    }

    void Mix(int16_t* out, int frames)
    {
        const size_t count = size_t(frames) * 2;
        mix_.assign(count, 0);
        {
            std::lock_guard lock(voicesLock);
            for (TVoice& voice : voices) {
                if (!voice.sounding || !voice.sound->ready.load(std::memory_order_acquire))
                    continue;
                const TSoundData& sound = *voice.sound;
                const size_t total = sound.Frames();
                const size_t n = std::min(size_t(frames), total - voice.position);
                const int16_t* from = sound.samples.data() + voice.position * size_t(sound.channels);
                if (sound.channels == 1) {
                    for (size_t i = 0; i < n; ++i) {
                        mix_[2 * i] += from[i];
                        mix_[2 * i + 1] += from[i];
                    }
                } else {
                    for (size_t i = 0; i < 2 * n; ++i)
                        mix_[i] += from[i];
                }
                voice.position += n;
                if (voice.position >= total)
                    voice.sounding = false;
            }
        }
        for (size_t i = 0; i < count; ++i)
            out[i] = int16_t(std::clamp(mix_[i], -32768, 32767));
    }

    std::vector<int32_t> mix_; // the callback's own

    std::mutex jobsLock_;
    std::condition_variable jobsReady_;
    std::deque<std::function<void()>> jobs_;
    std::thread worker_;

    std::once_flag startAsked_;
    std::mutex startLock_;
    std::condition_variable started_;
    bool startRequested_ = false;
    bool startDone_ = false;
    QString driver_;
};

TSoundOutput& Output()
{
    static TSoundOutput* output = new TSoundOutput;
    return *output;
}

} // namespace

void StartSoundOutput()
{
    Output().Start();
}

QString SoundOutputDriver()
{
    return Output().Driver();
}

void FinishSoundStart()
{
    Output().FinishStart();
}

void RunInBackground(std::function<void()> job)
{
    Output().Run(std::move(job));
}

int TakeVoice()
{
    TSoundOutput& output = Output();
    std::lock_guard lock(output.voicesLock);
    auto& voices = output.voices;
    auto free = std::find_if(voices.begin(), voices.end(), [](const TVoice& voice) { return !voice.taken; });
    if (free == voices.end())
        free = voices.insert(voices.end(), TVoice{});
    free->taken = true;
    return int(free - voices.begin());
}

void GiveBackVoice(int voice)
{
    SilenceVoice(voice);
    TSoundOutput& output = Output();
    std::lock_guard lock(output.voicesLock);
    output.voices[size_t(voice)].taken = false;
}

void StartVoice(int voice, std::shared_ptr<const TSoundData> sound)
{
    TSoundOutput& output = Output();
    {
        std::lock_guard lock(output.voicesLock);
        TVoice& v = output.voices[size_t(voice)];
        v.sound.swap(sound);
        v.position = 0;
        v.sounding = true;
    }
    // The sound it played before, if no one else holds it, is freed here, outside the lock.
}

void SilenceVoice(int voice)
{
    TSoundOutput& output = Output();
    std::shared_ptr<const TSoundData> released;
    std::lock_guard lock(output.voicesLock);
    TVoice& v = output.voices[size_t(voice)];
    v.sounding = false;
    v.sound.swap(released);
}

bool VoiceSounding(int voice)
{
    TSoundOutput& output = Output();
    std::lock_guard lock(output.voicesLock);
    return output.voices[size_t(voice)].sounding;
}

int VoicesSounding()
{
    TSoundOutput& output = Output();
    std::lock_guard lock(output.voicesLock);
    return int(std::count_if(output.voices.begin(), output.voices.end(), [](const TVoice& voice) { return voice.sounding; }));
}
