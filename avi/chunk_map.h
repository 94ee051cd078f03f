// SPDX-License-Identifier: GPL-2.0-or-later
// The ChunkMap: every recognised chunk id the walk met, in file order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brelvo::avi {

struct ChunkRow {
    std::string id;         // upper-cased, one of kRecognisedIds
    std::int64_t position;  // 1-based position of the byte after the id (the size field)
    std::int32_t size;      // signed 32-bit value read after the id (LIST size for "MOVI")

    // 0-based offset of the first data byte (position + 4, 1-based).
    std::int64_t DataOffset() const { return position + 3; }
    bool operator==(const ChunkRow&) const = default;
};

using ChunkMap = std::vector<ChunkRow>;

// A walk stops with the load failure beyond this many rows, so a hostile file cannot exhaust
// memory.
inline constexpr std::size_t kMaxChunkRows = 100000;

}  // namespace brelvo::avi
