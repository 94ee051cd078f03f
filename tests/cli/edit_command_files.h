// Test helpers for the edit commands: a movie file read back and decoded, and the offsets at
// which a command changed its bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "avi/decode_headers.h"
#include "avi/scan_chunks.h"
#include "platform/little_endian.h"
#include "tests/support/memory_file.h"
#include "tests/support/riff_builder.h"

namespace brelvo::cli::testing {

using brelvo::testing::Bytes;

// The offsets whose byte differs; -1 stands for a change of length.
inline std::vector<std::int64_t> ChangedOffsets(const Bytes& before, const Bytes& after) {
    std::vector<std::int64_t> changed;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i] != after[i]) changed.push_back(static_cast<std::int64_t>(i));
    }
    if (before.size() != after.size()) changed.push_back(-1);
    return changed;
}

// The movie at a path as it stands now, with its headers decoded.
struct MovieOnDisk {
    Bytes bytes;
    avi::ChunkMap chunkMap;
    avi::HeaderRecord record;

    explicit MovieOnDisk(const std::string& path) : bytes(brelvo::testing::ReadWholeFile(path)) {
        platform::MemoryFile file(bytes);
        chunkMap = avi::ScanChunks(file).chunkMap;
        record = avi::DecodeHeaders(file, chunkMap);
    }
    std::string FourAt(std::int64_t offset) const {
        return platform::ReadFourCC(bytes, static_cast<std::size_t>(offset));
    }
    std::int32_t Int32At(std::int64_t offset) const {
        return platform::ReadI32(bytes, static_cast<std::size_t>(offset));
    }
};

}  // namespace brelvo::cli::testing
