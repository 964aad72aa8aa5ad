#pragma once

#include "toolkit/SoundOutput.h"

#include <QString>

#include <memory>

// Opens the sound file at `path` (relative to the working directory, "/" between folders) and
// returns its sound. Only a regular file holding MP3 or WAV sound opens, and opening never
// blocks; anything else raises EMCIDeviceError naming the file and the reason.
//
// A file is decoded at most once per run while it stays the same file with the same size and
// modification time; opening it again costs one stat. An MP3 is checked here (its first frame is
// decoded) and the rest is decoded on the background thread, so opening returns at once.
std::shared_ptr<const TSoundData> LoadSound(const QString& path);
