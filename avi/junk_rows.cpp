// SPDX-License-Identifier: GPL-2.0-or-later
// Which JUNK rows are real chunks: a structured walk of the RIFF lists finds the chunk
// boundaries, so a "JUNK" that the byte-wise walk met inside other data is never blanked.
#include <algorithm>
#include <limits>
#include <map>

#include "avi/chunk_cursor.h"
#include "avi/chunk_ids.h"
#include "avi/normalise_on_load.h"

namespace brelvo::avi {
namespace {

constexpr std::int64_t kMaxJunkWidth = std::numeric_limits<int>::max();

// The data of the JUNK chunks met at chunk boundaries whose data lies wholly inside their list
// and the file, size > 0, by the offset of their data.
// Every list is walked but the movi lists, whose stream data holds no JUNK to blank.
std::map<std::int64_t, FieldRef> JunkChunkData(platform::RandomAccessFile& file) {
    BlockReader reader(file);
    std::vector<ChunkCursor> levels{ChunkCursor(reader, 0, reader.Length(), IdClass::Any)};
    std::map<std::int64_t, FieldRef> found;
    while (!levels.empty()) {
        const auto chunk = levels.back().Next();
        if (!chunk) {
            levels.pop_back();
            continue;
        }
        // A size beyond the list's end ends the list all the same.
        const std::int64_t end = levels.back().End();
        if (chunk->IsList() && chunk->size >= 4) {
            const std::string type = ListType(reader, *chunk);
            if (!type.empty() && type != kListTypeMovi) {
                levels.emplace_back(reader, chunk->DataOffset() + 4,
                                    std::min(chunk->DeclaredEnd(), end), IdClass::Any);
                continue;
            }
        }
        if (chunk->IdIs(kIdJunk) && chunk->size > 0 && chunk->size <= kMaxJunkWidth &&
            chunk->DeclaredEnd() <= end) {
            found[chunk->DataOffset()] =
                FieldRef{"JUNK.data", chunk->DataOffset(), static_cast<int>(chunk->size)};
        }
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
        const auto data = found.find(row.DataOffset());
        if (row.id == kIdJunk && data != found.end()) fields.push_back(data->second);
    }
    return fields;
}

}  // namespace brelvo::avi
