// SPDX-License-Identifier: GPL-2.0-or-later
// Reading the OpenDML super index and the standard indexes it names.
#include "avi/opendml_index.h"

#include <algorithm>
#include <array>
#include <set>
#include <vector>

#include "avi/chunk_cursor.h"
#include "avi/chunk_ids.h"
#include "platform/little_endian.h"
#include "platform/path_text.h"

namespace brelvo::avi {
namespace {

constexpr std::uint32_t kIndexHeaderBytes = 24;  // after the chunk's id and size
constexpr std::uint8_t kIndexOfIndexes = 0x00;
constexpr std::uint8_t kIndexOfChunks = 0x01;
constexpr std::uint32_t kDeltaFrameBit = 0x80000000u;
// A header list holds a handful of chunks per stream; more is damage.
constexpr int kMaxStrlChildren = 256;
// A header list is a few hundred bytes.
constexpr std::size_t kStrlBlock = 4096;
// Standard entries are two longs (three for field indexes); a super entry is four.
constexpr std::uint16_t kMaxLongsPerEntry = 64;
constexpr std::int64_t kEntriesPerRead = 4096;

struct IndexHeader {
    std::uint16_t longsPerEntry = 0;
    std::uint8_t type = 0xFF;
    std::uint32_t entriesInUse = 0;
};

IndexHeader ParseHeader(std::span<const std::byte> b) {
    return {platform::ReadU16(b, 0), static_cast<std::uint8_t>(b[3]), platform::ReadU32(b, 4)};
}

class OdmlCounter {
  public:
    explicit OdmlCounter(platform::RandomAccessFile& file)
        : file_(file), length_(file.Length()), budget_(length_) {}

    // The entries of the standard index whose chunk header is at `chunkOffset`.
    void StandardIndex(std::int64_t chunkOffset, std::int64_t superEntry) {
        const std::string which = "super index entry " + std::to_string(superEntry + 1);
        if (chunkOffset < 0 || chunkOffset > length_ - 8 - kIndexHeaderBytes) {
            Damage(which + " points beyond the end of the file");
            return;
        }
        if (!seen_.insert(chunkOffset).second) {
            Damage(which + " names an index already counted");
            return;
        }
        std::array<std::byte, 8 + kIndexHeaderBytes> head{};
        file_.ReadExactAt(chunkOffset, head);
        const auto header = ParseHeader(std::span(head).subspan(8));
        if (header.type != kIndexOfChunks || header.longsPerEntry < 2 ||
            header.longsPerEntry > kMaxLongsPerEntry) {
            Damage(which + " points at no standard index");
            return;
        }
        Entries(chunkOffset + 8, platform::ReadU32(head, 4), header);
    }

    // The entries of a standard index whose header (after the chunk's id and size) is at
    // `dataOffset`, its chunk declaring `size` bytes.
    void Entries(std::int64_t dataOffset, std::uint32_t size, const IndexHeader& header) {
        const std::int64_t entryBytes = header.longsPerEntry * 4;
        const std::int64_t first = dataOffset + kIndexHeaderBytes;
        const std::int64_t byChunk =
            size >= kIndexHeaderBytes ? (size - kIndexHeaderBytes) / entryBytes : 0;
        const std::int64_t byFile = std::max<std::int64_t>(0, length_ - first) / entryBytes;
        std::int64_t n = std::min<std::int64_t>({header.entriesInUse, byChunk, byFile});
        if (n < header.entriesInUse) {
            Damage(byFile < std::min<std::int64_t>(header.entriesInUse, byChunk)
                       ? "a standard index runs past the end of the file"
                       : "a standard index lists more entries than its chunk holds");
        }
        // Real indexes never overlap, so together they are smaller than the file; more means
        // damage that would otherwise count the same bytes again and again.
        if (n * entryBytes > budget_) {
            Damage("the standard indexes overlap");
            n = budget_ / entryBytes;
        }
        budget_ -= n * entryBytes;
        ++count_.indexes;
        std::vector<std::byte> block;
        for (std::int64_t done = 0; done < n;) {
            const auto m = std::min(kEntriesPerRead, n - done);
            block.resize(static_cast<std::size_t>(m * entryBytes));
            file_.ReadExactAt(first + done * entryBytes, block);
            for (std::int64_t e = 0; e < m; ++e) {
                const auto sizeAt = static_cast<std::size_t>(e * entryBytes + 4);
                if ((platform::ReadU32(block, sizeAt) & kDeltaFrameBit) == 0) ++count_.keyFrames;
            }
            count_.entries += m;
            done += m;
        }
    }

    void Damage(std::string what) {
        if (count_.damage.empty()) count_.damage = std::move(what);
    }

    std::int64_t Length() const { return length_; }
    OdmlIndexCount Result() { return std::move(count_); }

  private:
    platform::RandomAccessFile& file_;
    std::int64_t length_;
    std::int64_t budget_;
    std::set<std::int64_t> seen_;
    OdmlIndexCount count_;
};

}  // namespace

std::optional<SuperIndexChunk> FindSuperIndex(platform::RandomAccessFile& file,
                                              const ChunkMap& chunkMap, std::size_t strhRow) {
    if (strhRow == 0 || strhRow >= chunkMap.size()) return std::nullopt;
    const ChunkRow& list = chunkMap[strhRow - 1];
    if (list.id != kIdList) return std::nullopt;
    BlockReader reader(file, kStrlBlock);
    ChunkHeader strl{list.DataOffset() - 8, {}, static_cast<std::uint32_t>(list.size)};
    if (ListType(reader, strl) != kListTypeStrl) return std::nullopt;
    auto children = ChunkCursor::Body(reader, strl, IdClass::Any);
    for (int n = 0; n < kMaxStrlChildren; ++n) {
        const auto child = children.Next();
        if (!child) break;
        if (child->IdIs(kIdIndx)) return SuperIndexChunk{child->DataOffset(), child->size};
    }
    return std::nullopt;
}

std::optional<OdmlIndexCount> CountOdmlIndex(platform::RandomAccessFile& file,
                                             const ChunkMap& chunkMap, std::size_t strhRow) {
    const auto super = FindSuperIndex(file, chunkMap, strhRow);
    if (!super || super->size < kIndexHeaderBytes) return std::nullopt;
    std::array<std::byte, kIndexHeaderBytes> head{};
    if (file.ReadAt(super->dataOffset, head) != head.size()) return std::nullopt;
    const auto header = ParseHeader(head);
    if (header.entriesInUse == 0) return std::nullopt;

    OdmlCounter counter(file);
    // A small movie may carry its one standard index in the indx chunk itself.
    if (header.type == kIndexOfChunks && header.longsPerEntry >= 2 &&
        header.longsPerEntry <= kMaxLongsPerEntry) {
        counter.Entries(super->dataOffset, super->size, header);
        return counter.Result();
    }
    if (header.type != kIndexOfIndexes || header.longsPerEntry < 3 ||
        header.longsPerEntry > kMaxLongsPerEntry) {
        counter.Damage("the super index is of an unknown kind");
        return counter.Result();
    }
    const std::int64_t entryBytes = header.longsPerEntry * 4;
    const std::int64_t first = super->dataOffset + kIndexHeaderBytes;
    const std::int64_t byChunk = (super->size - kIndexHeaderBytes) / entryBytes;
    const std::int64_t byFile = std::max<std::int64_t>(0, counter.Length() - first) / entryBytes;
    const std::int64_t n = std::min<std::int64_t>({header.entriesInUse, byChunk, byFile});
    if (n < header.entriesInUse) counter.Damage("the super index lists more entries than it holds");
    std::vector<std::byte> block;
    for (std::int64_t done = 0; done < n;) {
        const auto m = std::min(kEntriesPerRead, n - done);
        block.resize(static_cast<std::size_t>(m * entryBytes));
        file.ReadExactAt(first + done * entryBytes, block);
        for (std::int64_t e = 0; e < m; ++e) {
            const auto at = static_cast<std::size_t>(e * entryBytes);
            const std::uint64_t offset = platform::ReadU32(block, at) |
                                         (std::uint64_t{platform::ReadU32(block, at + 4)} << 32);
            counter.StandardIndex(offset > static_cast<std::uint64_t>(counter.Length())
                                      ? -1
                                      : static_cast<std::int64_t>(offset),
                                  done + e);
        }
        done += m;
    }
    return counter.Result();
}

}  // namespace brelvo::avi
