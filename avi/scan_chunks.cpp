// SPDX-License-Identifier: GPL-2.0-or-later
// The byte-wise chunk walk.
#include "avi/scan_chunks.h"

#include <algorithm>
#include <optional>
#include <string>

#include "avi/block_reader.h"
#include "avi/chunk_ids.h"

namespace brelvo::avi {
namespace {

char UpperAscii(std::byte b) {
    const auto c = static_cast<char>(b);
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The recognised id the four bytes spell in any letter case, if any.
std::optional<std::string_view> Recognise(std::span<const std::byte> probe) {
    const char upper[4] = {UpperAscii(probe[0]), UpperAscii(probe[1]), UpperAscii(probe[2]),
                           UpperAscii(probe[3])};
    const std::string_view text(upper, 4);
    for (const auto id : kRecognisedIds) {
        if (id == text) return id;
    }
    return std::nullopt;
}

// 0xFFFFFFFF as the walk reads sizes.
constexpr std::int32_t kUnknownSize = -1;

bool SkipsItsData(std::string_view id) {
    return id == kIdIdx1 || id == kIdJunk || id == kDisplayNameId;
}

// Where a skip by a stored size leads. Sizes are stored unsigned: one of 2 GiB or more reads
// negative in the map, yet is a real size when the skip stays within the file (the movi list
// of a movie past 2 GiB, which would otherwise be probed byte by byte for minutes).
std::int64_t SkipTarget(std::int64_t from, std::int32_t size, std::int64_t length) {
    if (size >= 0) return from + size;
    const std::int64_t asStored =
        from + static_cast<std::int64_t>(static_cast<std::uint32_t>(size));
    return asStored <= length ? asStored : from + size;
}

}  // namespace

ScanResult ScanChunks(platform::RandomAccessFile& file) {
    ScanResult result;
    const std::int64_t length = file.Length();
    result.headerBackup =
        file.ReadVectorAt(0, static_cast<std::size_t>(std::min(length, kHeaderBackupSize)));

    BlockReader reader(file);
    std::int64_t lastIdEnd = 0;  // set only by a probe, as the loop test needs it
    std::int64_t at = 0;         // 0-based offset of the next probe
    while (lastIdEnd < length - 1) {
        if (at + 4 > length) break;  // a probe that cannot read four bytes matches nothing
        const auto id = Recognise(reader.View(at, 4));
        lastIdEnd = at + 4;
        if (!id) {
            ++at;
            continue;
        }
        std::int32_t size = reader.Int32At(at + 4);
        const std::int64_t afterSize = at + 8;
        std::int64_t target = afterSize;
        std::int64_t forward = afterSize;  // the least a skip must reach to move forward
        if (*id == kListTypeMovi) {
            // The list type of a LIST: its size stands in the four bytes before it. Only a
            // real "LIST" id in front counts; "movi" inside a text ("my movie") is no list
            // and must not send the walk into the stream data.
            if (at >= 8 && Recognise(reader.View(at - 8, 4)) == kIdList) {
                size = reader.Int32At(at - 4);
                // A movie written to a pipe leaves the size unknown (0xFFFFFFFF): its stream
                // data runs to the end of the file, and none of it is probed.
                target = size == kUnknownSize ? length : SkipTarget(at, size, length);
                // The list's data ends its size behind the list type: an empty list (size 4)
                // ends right after "movi", where the next chunk (the index) starts.
                forward = at + 4;
            }
        } else if (SkipsItsData(*id)) {
            target = SkipTarget(afterSize, size, length);
        }
        if (result.chunkMap.size() >= kMaxChunkRows) {
            throw ScanError("the file has more than " + std::to_string(kMaxChunkRows) + " chunks");
        }
        result.chunkMap.push_back(ChunkRow{std::string(*id), at + 5, size});
        // A skip that would not move past the size field (a negative size, a "MOVI" inside
        // data) is no skip: the walk must always move forward to end.
        at = std::max(target, forward);
    }
    return result;
}

WritePlan HeaderRestorePlan(std::span<const std::byte> headerBackup, std::int64_t loadedLength) {
    WritePlan plan(loadedLength);
    plan.reportBytes = false;
    if (headerBackup.empty()) return plan;
    plan.AddView(FieldRef{"the saved header region", 0, static_cast<int>(headerBackup.size())},
                 headerBackup);
    return plan;
}

}  // namespace brelvo::avi
