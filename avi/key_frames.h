// SPDX-License-Identifier: GPL-2.0-or-later
// Index statistics: the key frames of the video stream counted from the idx1 index.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "avi/chunk_map.h"
#include "avi/header_record.h"
#include "platform/random_access_file.h"

namespace brelvo::avi {

struct KeyFrameCount {
    std::int64_t keyFrames = 0;
    std::int64_t entriesRead = 0;    // whole 16-byte entries present in the file
    std::int64_t streamEntries = 0;  // of those, the stream's chunks (palette changes aside)
};

// Counts entries whose id starts with the video stream's two digits and whose flags carry
// 0x10. An index cut short by the end of the file counts the whole entries that are there.
KeyFrameCount CountKeyFrames(platform::RandomAccessFile& file, const ChunkRow& idx1Row,
                             int videoStreamIndex);

// T/K rounded down, the frames from one key frame to the next on average; nothing for K = 0.
std::optional<std::int64_t> KeyFrameInterval(std::int32_t totalFrames, std::int64_t keyFrames);

// "Frames T ( K * Key / T-K Delta.) Every T/K"; with K = 0 it ends in "Every -".
std::string KeyFrameCaption(std::int32_t totalFrames, std::int64_t keyFrames);

enum class KeyFrameIndex {
    None,     // neither index: nothing to count
    Idx1,     // the AVI 1.0 index (of the first RIFF part only in a large movie)
    OpenDml,  // the stream's super index and the standard indexes of every part
};

// The key-frame statistic of a movie, all of it from one video stream: the last one decoded,
// which the edits act on too.
struct MovieKeyFrames {
    KeyFrameIndex index = KeyFrameIndex::None;
    std::int32_t totalFrames = 0;  // T: the movie's frames, or the stream's among several
    std::int64_t keyFrames = 0;    // K
    int videoStreams = 0;
    std::string damage;  // what was wrong with the index when it could not be read whole
};

// Counts from the OpenDML indexes when the video stream has a super index listing any, from
// idx1 otherwise. Throws platform::IoError when an index cannot be read.
MovieKeyFrames CountMovieKeyFrames(platform::RandomAccessFile& file, const ChunkMap& chunkMap,
                                   const HeaderRecord& record);

// The caption; among several video streams it names the stream counted.
std::string MovieKeyFrameCaption(const MovieKeyFrames& count);

// The note for a damaged index (empty when the index was read whole).
std::string KeyFrameDamageNote(const MovieKeyFrames& count);

// The two characters that start the data chunk ids of a stream: "00", "01", ...
std::string StreamDigits(int streamIndex);

}  // namespace brelvo::avi
