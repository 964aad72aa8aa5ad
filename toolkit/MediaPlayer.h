#pragma once

#include "toolkit/Controls.h"

#include <functional>
#include <memory>

struct TSoundData;

// A sound player, configured by its file name. Open closes an open device first, then opens the
// file, which must be a regular file of MP3 or WAV sound (one that cannot be opened raises
// EMCIDeviceError naming the file); it never blocks, and a file already decoded in this run and
// unchanged since is not decoded again. Play starts it from the beginning and returns at once;
// Stop halts it and keeps it open; Close silences it and never fails. Several players sound
// together. Without an audio device the sound plays silently instead of failing. Destroying the
// player closes it.
class TMediaPlayer : public TControl<QWidget> {
    Q_OBJECT

public:
    explicit TMediaPlayer(QWidget* parent = nullptr);
    ~TMediaPlayer() override;

    QString FileName() const { return fileName_; }
    void SetFileName(const QString& fileName) { fileName_ = fileName; }
    void Open();
    void Play();
    void Stop();
    void Close();
    bool IsOpen() const { return sound_ != nullptr; }
    bool IsPlaying() const;

    void ApplyLayout(const THandlerTable& handlers) override;
    bool IsWindowed() const override { return false; }

private:
    void CloseDevice();
    QString fileName_;
    std::shared_ptr<const TSoundData> sound_;
    int voice_;
};

enum class TMediaCall { Open, Play, Stop, Close };

// Test seam: told of every call on every player as it is made (a failing Open is told too, before
// it raises). The player's objectName is its layout name.
void SetMediaObserver(std::function<void(const TMediaPlayer& player, TMediaCall call)> observer);

// How many players are sounding right now, in every window.
int SoundingPlayers();
