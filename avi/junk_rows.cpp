// SPDX-License-Identifier: GPL-2.0-or-later
// Which JUNK rows are real chunks: a structured walk of the RIFF lists finds the chunk
// boundaries, so a "JUNK" that the byte-wise walk met inside other data is never blanked.
#include <limits>
#include <map>

#include "avi/block_reader.h"
#include "avi/chunk_ids.h"
#include "avi/normalise_on_load.h"
#include "platform/little_endian.h"
#include "platform/path_text.h"

namespace brelvo::avi {
namespace {

constexpr std::int64_t kMaxJunkWidth = std::numeric_limits<int>::max();

std::string UpperId(std::span<const std::byte> bytes, std::size_t at) {
    return platform::AsciiUpper(platform::ReadFourCC(bytes, at));
}

// The data of the JUNK chunks met at chunk boundaries whose data lies wholly inside their list
// and the file, size > 0, by the position (1-based, of the size field, as in the ChunkMap).
std::map<std::int64_t, FieldRef> JunkChunkData(platform::RandomAccessFile& file) {
    BlockReader reader(file);
    const std::int64_t length = reader.Length();
    struct Level {
        std::int64_t end;     // the end of this list's children
        std::int64_t resume;  // where the parent level goes on
    };
    std::vector<Level> levels{{length, length}};
    std::map<std::int64_t, FieldRef> found;
    std::int64_t at = 0;
    while (!levels.empty()) {
        const Level level = levels.back();
        if (at + 8 > level.end) {
            at = level.resume;
            levels.pop_back();
            continue;
        }
        const auto header = reader.View(at, 12);
        const std::string id = UpperId(header, 0);
        // Chunk sizes are unsigned: the first RIFF of a movie past 2 GiB states 2^31 or more.
        // A size beyond the list's end ends the list all the same.
        const std::int64_t size = platform::ReadU32(header, 4);
        const std::int64_t dataEnd = at + 8 + size;
        const std::int64_t next = dataEnd + (size % 2);
        if ((id == kIdRiff || id == kIdList) && size >= 4 && header.size() >= 12 &&
            UpperId(header, 8) != kIdMovi) {
            levels.push_back(Level{std::min(dataEnd, level.end), next});
            at += 12;
            continue;
        }
        if (id == kIdJunk && size > 0 && size <= kMaxJunkWidth && dataEnd <= level.end) {
            found[at + 5] = FieldRef{"JUNK.data", at + 8, static_cast<int>(size)};
        }
        at = next;
    }
    return found;
}

}  // namespace

std::vector<FieldRef> BlankableJunkData(platform::RandomAccessFile& file,
                                        const ChunkMap& chunkMap) {
    std::vector<FieldRef> fields;
    bool anyJunk = false;
    for (const auto& row : chunkMap) anyJunk = anyJunk || row.id == kIdJunk;
    if (!anyJunk) return fields;
    const auto found = JunkChunkData(file);
    for (const auto& row : chunkMap) {
        const auto data = found.find(row.position);
        if (row.id == kIdJunk && data != found.end()) fields.push_back(data->second);
    }
    return fields;
}

}  // namespace brelvo::avi
