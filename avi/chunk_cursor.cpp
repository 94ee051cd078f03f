// SPDX-License-Identifier: GPL-2.0-or-later
// Walking the chunks of one container.
#include "avi/chunk_cursor.h"

#include <algorithm>
#include <vector>

#include "avi/chunk_ids.h"
#include "platform/little_endian.h"
#include "platform/path_text.h"

namespace brelvo::avi {
namespace {

constexpr std::size_t kResyncBlock = 64 * 1024;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsAlnum(char c) {
    return IsDigit(c) || IsLetter(c);
}

using platform::AsciiUpper;

bool SameId(const std::array<char, 4>& id, std::string_view fourcc) {
    return platform::SameIgnoringCase(std::string_view(id.data(), id.size()), fourcc);
}

std::array<char, 4> IdFrom(std::span<const std::byte> bytes) {
    std::array<char, 4> id{};
    for (std::size_t k = 0; k < 4; ++k) id[k] = static_cast<char>(bytes[k]);
    return id;
}

}  // namespace

bool ChunkHeader::IdIs(std::string_view fourcc) const {
    return SameId(id, fourcc);
}

bool IsPlausibleId(IdClass ids, const std::array<char, 4>& id) {
    switch (ids) {
        case IdClass::Any:
            return true;
        case IdClass::TopLevel:
            return SameId(id, kIdRiff);
        case IdClass::ListBody:
            return IsAlnum(id[0]) && std::all_of(id.begin() + 1, id.end(),
                                                 [](char c) { return IsAlnum(c) || c == ' '; });
        case IdClass::StreamData:
            if (IsDigit(id[0]) && IsDigit(id[1]) && IsLetter(id[2]) && IsLetter(id[3])) return true;
            if (AsciiUpper(id[0]) == 'I' && AsciiUpper(id[1]) == 'X' && IsDigit(id[2]) &&
                IsDigit(id[3])) {
                return true;
            }
            return SameId(id, kIdList) || SameId(id, kIdJunk);
    }
    return false;
}

std::string ListType(BlockReader& reader, const ChunkHeader& list) {
    std::array<std::byte, 4> bytes{};
    if (reader.ReadAt(list.DataOffset(), bytes) != bytes.size()) return {};
    std::string type(4, ' ');
    for (std::size_t k = 0; k < 4; ++k) type[k] = AsciiUpper(static_cast<char>(bytes[k]));
    return type;
}

ChunkCursor::ChunkCursor(BlockReader& reader, std::int64_t begin, std::int64_t end, IdClass ids)
    : reader_(reader), next_(begin), end_(end), ids_(ids) {}

std::int64_t ChunkCursor::Limit() const {
    return std::min(end_, reader_.Length());
}

std::optional<ChunkHeader> ChunkCursor::HeaderAt(std::int64_t at) {
    if (at < 0 || at + 8 > Limit()) return std::nullopt;
    std::array<std::byte, 8> bytes{};
    if (reader_.ReadAt(at, bytes) != bytes.size()) return std::nullopt;
    ChunkHeader header{at, IdFrom(bytes), platform::ReadU32(bytes, 4)};
    if (header.size == kUnknownListSize && header.IsList()) {
        header.openEnd = Limit();
    }
    if (ids_ == IdClass::Any) return header;
    if (!IsPlausibleId(ids_, header.id) || header.DeclaredEnd() > end_) return std::nullopt;
    return header;
}

// A chunk is confirmed when another plausible chunk (or the end of the container) follows it.
bool ChunkCursor::FollowedByChunk(const ChunkHeader& header) {
    const std::int64_t next = header.DeclaredEnd();
    if (next + 8 > Limit()) return true;
    if (HeaderAt(next)) return true;
    return header.size % 2 == 1 && HeaderAt(next + 1).has_value();
}

std::optional<ChunkHeader> ChunkCursor::AfterOddChunk() {
    // The pad byte is usual, but some writers leave it out; when both readings look like a
    // chunk, the one followed by another chunk and lying within the file wins, the padded one
    // when they tie.
    // The unpadded reading first: its block read also covers the padded one.
    auto unpadded = HeaderAt(next_);
    auto padded = HeaderAt(next_ + 1);
    if (padded && unpadded) {
        const auto score = [&](const ChunkHeader& h) {
            return (FollowedByChunk(h) ? 2 : 0) + (h.DeclaredEnd() <= reader_.Length() ? 1 : 0);
        };
        return score(*unpadded) > score(*padded) ? unpadded : padded;
    }
    return padded ? padded : unpadded;
}

std::optional<ChunkHeader> ChunkCursor::Next() {
    if (done_) return std::nullopt;
    std::optional<ChunkHeader> found = afterOdd_ ? AfterOddChunk() : HeaderAt(next_);
    if (!found && ids_ != IdClass::Any && next_ + 8 <= Limit()) found = Resync(next_);
    if (!found) {
        done_ = true;
        return std::nullopt;
    }
    next_ = found->DeclaredEnd();
    afterOdd_ = found->openEnd < 0 && found->size % 2 == 1;
    if (ids_ == IdClass::Any && afterOdd_) {
        ++next_;
        afterOdd_ = false;
    }
    return found;
}

void ChunkCursor::ResumeAt(std::int64_t offset) {
    next_ = offset;
    afterOdd_ = false;
}

std::optional<ChunkHeader> ChunkCursor::Resync(std::int64_t from) {
    ++resyncs_;
    std::vector<std::byte> block(kResyncBlock);
    std::int64_t at = from + 1;
    while (at + 8 <= Limit()) {
        const auto want = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(block.size()), Limit() - at));
        const std::size_t got = reader_.File().ReadAt(at, std::span(block).first(want));
        if (got < 8) break;
        const std::span<const std::byte> view(block.data(), got);
        for (std::size_t k = 0; k + 8 <= got; ++k) {
            if (!IsPlausibleId(ids_, IdFrom(view.subspan(k)))) continue;
            const auto candidate = HeaderAt(at + static_cast<std::int64_t>(k));
            if (candidate && FollowedByChunk(*candidate)) return candidate;
        }
        at += static_cast<std::int64_t>(got) - 7;
    }
    return std::nullopt;
}

}  // namespace brelvo::avi
