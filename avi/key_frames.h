// SPDX-License-Identifier: GPL-2.0-or-later
// Index statistics: the key frames of the video stream counted from the idx1 index.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "avi/chunk_map.h"
#include "platform/random_access_file.h"

namespace brelvo::avi {

struct KeyFrameCount {
    std::int64_t keyFrames = 0;
    std::int64_t entriesRead = 0;  // whole 16-byte entries present in the file
};

// Counts entries whose id starts with the video stream's two digits and whose flags carry
// 0x10. An index cut short by the end of the file counts the whole entries that are there.
KeyFrameCount CountKeyFrames(platform::RandomAccessFile& file, const ChunkRow& idx1Row,
                             int videoStreamIndex);

// T/K rounded down, the frames from one key frame to the next on average; nothing for K = 0.
std::optional<std::int64_t> KeyFrameInterval(std::int32_t totalFrames, std::int64_t keyFrames);

// "Frames T ( K * Key / T-K Delta.) Every T/K"; with K = 0 it ends in "Every -".
std::string KeyFrameCaption(std::int32_t totalFrames, std::int64_t keyFrames);

// The two characters that start the data chunk ids of a stream: "00", "01", ...
std::string StreamDigits(int streamIndex);

}  // namespace brelvo::avi
