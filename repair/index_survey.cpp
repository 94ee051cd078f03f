// SPDX-License-Identifier: GPL-2.0-or-later
// Reading idx1 against the movi list.
#include "repair/index_survey.h"

#include "avi/block_reader.h"
#include "avi/field_reader.h"
#include "platform/little_endian.h"

namespace brelvo::repair {
namespace {

constexpr std::int64_t kEntryBytes = 16;
constexpr std::size_t kHeaderBlock = 4096;

struct Entry {
    std::string id;
    std::uint32_t flags = 0;
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

Entry EntryAt(std::span<const std::byte> bytes) {
    return {platform::ReadFourCC(bytes, 0), platform::ReadU32(bytes, 4),
            platform::ReadU32(bytes, 8), platform::ReadU32(bytes, 12)};
}

void Note(EntryFaults& faults, std::int64_t entryOffset, std::string text) {
    if (faults.count++ == 0) {
        faults.firstOffset = entryOffset;
        faults.first = std::move(text);
    }
}

}  // namespace

IndexSurvey SurveyIndex(platform::RandomAccessFile& file, const IndexChunk& idx1,
                        const MoviList& movi, std::vector<avi::FieldRef>& fields) {
    IndexSurvey survey;
    avi::BlockReader entries(file);
    avi::BlockReader chunks(file, kHeaderBlock);
    const auto idMatches = [&](std::int64_t at, const Entry& e) {
        const auto header = chunks.View(at, 8);
        return header.size() == 8 && platform::ReadFourCC(header, 0) == e.id;
    };
    std::optional<std::int64_t> base;
    for (std::int64_t i = 0; i < idx1.entries; ++i) {
        const std::int64_t at = idx1.dataOffset + i * kEntryBytes;
        const Entry e = EntryAt(entries.View(at, kEntryBytes));
        if (!IsStreamChunkId(std::as_bytes(std::span(e.id)))) continue;
        if (!base) {
            const bool absolute =
                !idMatches(movi.typeOffset + e.offset, e) && idMatches(e.offset, e);
            base = absolute ? 0 : movi.typeOffset;
        }
        const int stream = (e.id[0] - '0') * 10 + (e.id[1] - '0');
        ++survey.entries[stream];
        if (!survey.firstFlags.contains(stream)) {
            avi::FieldBlock block(file, at, kEntryBytes, "idx1[" + std::to_string(i) + "]", fields,
                                  "an index entry");
            FieldValue flags;
            flags.holds = static_cast<std::uint32_t>(block.Int32("dwFlags", 4, &flags.field));
            survey.firstFlags[stream] = flags;
        }
        const std::int64_t chunk = *base + e.offset;
        const std::string says = "entry " + std::to_string(i) + " names a '" + e.id +
                                 "' chunk of " + std::to_string(e.size) + " bytes at offset " +
                                 std::to_string(chunk);
        if (chunk < movi.typeOffset + 4 || chunk + 8 + e.size > movi.end) {
            Note(survey.outsideMovi, at,
                 says + ", outside the movi list (" + std::to_string(movi.typeOffset + 4) + " to " +
                     std::to_string(movi.end) + ")");
            continue;
        }
        const auto header = chunks.View(chunk, 8);
        const std::string id = platform::ReadFourCC(header, 0);
        const std::uint32_t size = platform::ReadU32(header, 4);
        if (id != e.id || size != e.size) {
            Note(
                survey.wrongChunk, at,
                says + "; there stands a '" + id + "' chunk of " + std::to_string(size) + " bytes");
        }
    }
    return survey;
}

}  // namespace brelvo::repair
