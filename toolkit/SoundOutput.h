#pragma once

#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The sound output every player shares: one audio device, mixing one voice per player.

constexpr int kSoundRate = 44100;

// The longest sound kept: whatever a file holds beyond it is not decoded.
constexpr size_t kLongestSoundFrames = size_t(kSoundRate) * 60 * 10;

// A decoded sound: 16-bit samples at kSoundRate, `channels` (1 or 2) interleaved. It is filled
// once, by whoever loads it, and read-only from the moment `ready` is set.
struct TSoundData {
    int channels = 2;
    std::vector<int16_t> samples;
    std::atomic<bool> ready{false};

    size_t Frames() const { return samples.size() / size_t(channels); }
};

// Starts the output on the background thread the first time it is asked for, so nothing waits
// for the device. A machine whose audio device does not open gets SDL's silent driver instead,
// and one without any output plays every sound silently.
void StartSoundOutput();

// Waits until the output has started, and names the driver it runs on (empty without output).
QString SoundOutputDriver();

// Waits for a start that was asked for to end, so the program never exits while the background
// thread is still loading SDL or opening the device (both touch libraries the exit tears down).
void FinishSoundStart();

// Runs a job on the sound's background thread, after the jobs given before it.
void RunInBackground(std::function<void()> job);

// Voices: each player takes one for its lifetime, so players sound together and one player's
// Stop never silences another. A voice started on a sound still being decoded waits silently
// and begins from the sound's start once it is ready.
int TakeVoice();
void GiveBackVoice(int voice);
void StartVoice(int voice, std::shared_ptr<const TSoundData> sound);
void SilenceVoice(int voice);
bool VoiceSounding(int voice);
int VoicesSounding();
