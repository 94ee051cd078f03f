// SPDX-License-Identifier: GPL-2.0-or-later
// The OpenDML indexes of large movies: a stream's "indx" super index, in its header list,
// names the "ix##" standard indexes that lie in the movi lists of every RIFF part. Each entry
// of a standard index is one chunk of the stream, a key frame when bit 31 of its size is
// clear. Only the index chunks are read, never the stream data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "avi/chunk_map.h"
#include "platform/random_access_file.h"

namespace brelvo::avi {

struct OdmlIndexCount {
    std::int64_t entries = 0;    // chunks of the stream the indexes list
    std::int64_t keyFrames = 0;  // of those, the key frames
    std::int64_t indexes = 0;    // standard indexes read
    // What was wrong, when not every index could be read whole; the counts then cover what
    // could be read.
    std::string damage;
};

// The stream's "indx" chunk: a child of the "strl" list whose strh is the ChunkMap row given.
struct SuperIndexChunk {
    std::int64_t dataOffset = 0;
    std::uint32_t size = 0;
};
std::optional<SuperIndexChunk> FindSuperIndex(platform::RandomAccessFile& file,
                                              const ChunkMap& chunkMap, std::size_t strhRow);

// Counts the entries of every standard index the super index lists. Nothing when the stream
// has no super index, or one that lists no index. Never reads outside the file and always
// ends, whatever the index holds. Throws platform::IoError when a read fails.
std::optional<OdmlIndexCount> CountOdmlIndex(platform::RandomAccessFile& file,
                                             const ChunkMap& chunkMap, std::size_t strhRow);

}  // namespace brelvo::avi
