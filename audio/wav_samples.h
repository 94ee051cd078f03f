// SPDX-License-Identifier: GPL-2.0-or-later
// Where a WAV file's samples lie. A RIFF WAVE file is walked chunk by chunk to its "data"
// chunk, so the four letters inside an earlier chunk (a LIST INFO text) are not taken for it;
// only a file that is not RIFF WAVE is searched byte by byte for "data" in any case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/random_access_file.h"

namespace brelvo::audio {

struct WavSamples {
    bool riffWave = false;
    // The "fmt " chunk's 4 size bytes and body, when the file has one.
    std::optional<std::vector<std::byte>> formatChunk;
    std::int64_t dataOffset = 0;  // the first sample byte
    std::int64_t dataSize = 0;    // the sample bytes the file holds
};

// Opens a WAV file for reading; never creates one. Throws AudioError when the path names
// nothing or something else than a file (a folder, a pipe, a device), platform::IoError when
// it cannot be opened.
std::unique_ptr<platform::RandomAccessFile> OpenExistingWav(const std::string& path);

// Throws AudioError when the file holds no "data" chunk.
WavSamples LocateWavSamples(platform::RandomAccessFile& wav);

}  // namespace brelvo::audio
