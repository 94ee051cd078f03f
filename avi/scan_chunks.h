// SPDX-License-Identifier: GPL-2.0-or-later
// The chunk walk: one pass over the file that probes every byte outside the JUNK, DISP, idx1
// and movi contents and records each recognised id in the ChunkMap.
#pragma once

#include <cstddef>
#include <span>
#include <stdexcept>
#include <vector>

#include "avi/chunk_map.h"
#include "avi/write_plan.h"
#include "platform/random_access_file.h"

namespace brelvo::avi {

struct ScanResult {
    ChunkMap chunkMap;
    // The first 8192 bytes of the file before any write (fewer for a shorter file).
    std::vector<std::byte> headerBackup;
};

// Thrown when the walk cannot complete (a read fails, too many rows).
class ScanError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Walks the whole file. Throws platform::IoError on read failures, ScanError beyond
// kMaxChunkRows rows. The walk always ends: a skip that would not move it forward past the
// id's size field is ignored, a skip past the end ends it.
ScanResult ScanChunks(platform::RandomAccessFile& file);

// The exit prompt's undo: the saved first bytes as one field over the start of the file,
// written only into the movie that was loaded (`loadedLength` bytes long).
WritePlan HeaderRestorePlan(std::span<const std::byte> headerBackup, std::int64_t loadedLength);

}  // namespace brelvo::avi
