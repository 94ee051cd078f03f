// SPDX-License-Identifier: GPL-2.0-or-later
// Which stream holds the sound, and where its format chunk lies, found through the chunk
// structure of the header lists: the n-th "strl" list is stream n.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "avi/header_record.h"
#include "platform/random_access_file.h"

namespace brelvo::audio {

struct AudioTrack {
    int streamNumber = 0;
    std::int64_t formatDataOffset = 0;  // 0-based offset of the strf data
    std::uint32_t formatSize = 0;       // the strf size field
    std::int32_t rate = 0;              // stream header dwRate and dwScale
    std::int32_t scale = 0;
    std::int32_t sampleSize = 0;     // dwSampleSize: bytes a unit; 0 for one unit a chunk
    std::int64_t loadedLength = -1;  // the movie's length when its headers were read
};

// One "strl" list of the header list, in file order.
struct StreamLayout {
    int streamNumber = 0;
    std::string fccType;  // as stored; empty without a stream header
    std::int32_t scale = 0;
    std::int32_t rate = 0;
    std::int32_t sampleSize = 0;
    std::optional<std::int64_t> formatDataOffset;
    std::uint32_t formatSize = 0;
};

std::vector<StreamLayout> ReadStreamLayouts(platform::RandomAccessFile& movie);

// The sound stream of the given number. Throws AudioError when the header lists hold no such
// stream with a format chunk.
AudioTrack FindAudioTrack(platform::RandomAccessFile& movie, int streamNumber);
// The last sound stream of the header lists. Throws AudioError when there is none.
AudioTrack FindAudioTrack(platform::RandomAccessFile& movie);
// The sound stream that decoding found (the last audio stream header decoded), with the rate
// of its decoded header; the format chunk comes from the header lists, and from decoding only
// when those are too damaged to list the stream. Throws AudioError without a sound stream.
AudioTrack AudioTrackFromRecord(platform::RandomAccessFile& movie, const avi::HeaderRecord& record);
// The n-th sound stream of the decoded streams (1-based, in file order), the same way. Throws
// AudioError when the movie has fewer sound streams.
AudioTrack AudioTrackFromRecord(platform::RandomAccessFile& movie, const avi::HeaderRecord& record,
                                int nthSoundStream);

// Format records are a few dozen bytes; anything past this is damage, not a format.
inline constexpr std::uint32_t kMaxFormatSize = 1 << 20;

// The format chunk as it goes into a WAV file: the 4 size bytes and the body. Throws
// AudioError when the body is implausibly large or cut short by the end of the file.
std::vector<std::byte> ReadFormatChunk(platform::RandomAccessFile& movie, const AudioTrack& track);

}  // namespace brelvo::audio
