// SPDX-License-Identifier: GPL-2.0-or-later
// The structured RIFF walk: the chunks of one container, one after another by their sizes.
// Every walk of the lists goes through it (the JUNK blanking, the OpenDML indexes, the audio
// tools), each level of lists by a cursor of its own. Never sizes a buffer from a number it
// read, never reads past the end of the file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "avi/block_reader.h"
#include "avi/chunk_ids.h"

namespace brelvo::avi {

// Which ids count as plausible in a container, and how the walk meets damage.
enum class IdClass {
    // Any id, sizes taken as stored: every odd-sized chunk padded, no resynchronising, and a
    // chunk that runs past its container's end is still given (the caller bounds it), after
    // which the container ends.
    Any,
    // The classes below let the walk repair: it tolerates writers that leave out the pad byte
    // after odd-sized chunks, and after garbage resynchronises on the next plausible chunk
    // header instead of giving up.
    TopLevel,    // "RIFF" only
    ListBody,    // any four-character code: letters, digits and blanks, not starting blank
    StreamData,  // the movi list: "NNxx" stream data, "ixNN" index chunks, LIST, JUNK
};

struct ChunkHeader {
    std::int64_t offset = 0;  // of the id
    std::array<char, 4> id{};
    std::uint32_t size = 0;
    // Where a RIFF or LIST of unknown size ends (-1: it has a size). Writers that stream to a
    // pipe cannot go back to fill in sizes and leave 0xFFFFFFFF: the list then runs to the
    // end of its container.
    std::int64_t openEnd = -1;

    std::int64_t DataOffset() const { return offset + 8; }
    std::int64_t DeclaredEnd() const {
        return openEnd >= 0 ? openEnd : offset + 8 + static_cast<std::int64_t>(size);
    }
    // Case-insensitive comparison with a four-character code.
    bool IdIs(std::string_view fourcc) const;
    bool IsList() const { return IdIs(kIdRiff) || IdIs(kIdList); }
};

// True when the four bytes are a plausible id of the class.
bool IsPlausibleId(IdClass ids, const std::array<char, 4>& id);

// The list type of a RIFF or LIST (the four bytes after its size), upper-cased; empty when the
// file ends before it. Read whatever the list's size says.
std::string ListType(BlockReader& reader, const ChunkHeader& list);

// The size a streaming writer leaves in a RIFF or LIST header: "to the end".
inline constexpr std::uint32_t kUnknownListSize = 0xFFFFFFFF;

// An end that no chunk size can reach: for containers bounded by the file alone.
inline constexpr std::int64_t kUnboundedEnd = std::int64_t{1} << 62;

class ChunkCursor {
  public:
    // The children of a container lie in [begin, end). `end` may lie beyond the end of the
    // file (a movie cut short): chunks are then accepted up to `end` and the caller reads only
    // what the file holds.
    ChunkCursor(BlockReader& reader, std::int64_t begin, std::int64_t end, IdClass ids);

    // The children of a list (after its type), up to its declared end.
    static ChunkCursor Body(BlockReader& reader, const ChunkHeader& list, IdClass ids) {
        return ChunkCursor(reader, list.DataOffset() + 4, list.DeclaredEnd(), ids);
    }

    // The next chunk, or nothing at the end of the container.
    std::optional<ChunkHeader> Next();
    // Continues with the chunk expected at offset (after a child that had no usable size).
    void ResumeAt(std::int64_t offset);

    std::int64_t Position() const { return next_; }
    std::int64_t End() const { return end_; }
    // How many times garbage had to be skipped.
    int Resyncs() const { return resyncs_; }

  private:
    std::optional<ChunkHeader> HeaderAt(std::int64_t at);
    bool FollowedByChunk(const ChunkHeader& header);
    std::optional<ChunkHeader> AfterOddChunk();
    std::optional<ChunkHeader> Resync(std::int64_t from);
    std::int64_t Limit() const;

    BlockReader& reader_;
    std::int64_t next_;
    std::int64_t end_;
    IdClass ids_;
    bool afterOdd_ = false;
    bool done_ = false;
    int resyncs_ = 0;
};

}  // namespace brelvo::avi
