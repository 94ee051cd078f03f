// SPDX-License-Identifier: GPL-2.0-or-later
// Counting one stream's chunks in the movi lists.
#include "avi/stream_chunk_count.h"

#include <algorithm>

#include "avi/block_reader.h"
#include "avi/chunk_ids.h"
#include "platform/little_endian.h"
#include "platform/path_text.h"

namespace brelvo::avi {
namespace {

// Chunk headers lie one frame apart: small blocks keep the reads near the headers.
constexpr std::size_t kHeaderBlock = 4096;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::int64_t CountStreamChunks(platform::RandomAccessFile& file, const ChunkMap& chunkMap,
                               int streamIndex) {
    const auto digits = StreamChunkId(streamIndex, "");
    if (!digits) return 0;
    BlockReader reader(file, kHeaderBlock);
    const std::int64_t length = reader.Length();
    std::int64_t count = 0;
    for (const auto& row : chunkMap) {
        if (row.id != kListTypeMovi) continue;
        // The row stands just after the list type; the list's data began at the type.
        const std::int64_t begin = row.position - 1;
        const std::int64_t end =
            row.size == -1
                ? length
                : std::min(
                      length,
                      begin - 4 + static_cast<std::int64_t>(static_cast<std::uint32_t>(row.size)));
        for (std::int64_t at = begin; at + 8 <= end;) {
            const auto header = reader.View(at, 12);
            if (header.size() < 8) break;
            const std::string id = platform::ReadFourCC(header, 0);
            const std::uint32_t size = platform::ReadU32(header, 4);
            const std::string upper = platform::AsciiUpper(id);
            if (upper == kIdList) {
                at += 12;  // into a "rec " list: its chunks are the stream's
                continue;
            }
            const bool streamData = IsDigit(id[0]) && IsDigit(id[1]);
            if (!streamData && upper != kIdJunk && !upper.starts_with("IX")) {
                break;  // no chunk here: the list ends or is damaged
            }
            if (id.starts_with(*digits) &&
                !platform::SameIgnoringCase(id.substr(2), kSuffixPaletteChange)) {
                ++count;
            }
            at += 8 + static_cast<std::int64_t>(size) + (size % 2);
        }
    }
    return count;
}

}  // namespace brelvo::avi
