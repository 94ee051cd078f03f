// SPDX-License-Identifier: GPL-2.0-or-later
// Block-wise reading of a movie: the chunk walks look at a few bytes at a time, and serving
// them from one cached block keeps the cost in proportion to the bytes looked at (one system
// read per block, not per header), never the file; large payloads are read directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/random_access_file.h"

namespace brelvo::avi {

class BlockReader {
  public:
    static constexpr std::size_t kDefaultBlockSize = 64 * 1024;

    explicit BlockReader(platform::RandomAccessFile& file,
                         std::size_t blockSize = kDefaultBlockSize);

    std::int64_t Length() const { return length_; }
    platform::RandomAccessFile& File() { return file_; }

    // The bytes at offset, up to `want` of them (fewer only at the end of the file). The view
    // stays valid until the next call. Offsets outside the file give an empty view.
    std::span<const std::byte> View(std::int64_t offset, std::size_t want);

    // Four bytes at offset as a signed little-endian number; bytes past the end count as 0.
    std::int32_t Int32At(std::int64_t offset);

    // Reads up to out.size() bytes at offset (fewer only at the end of the file); a read of
    // more than half a block that the block does not hold goes to the file directly.
    std::size_t ReadAt(std::int64_t offset, std::span<std::byte> out);
    // Reads a payload (up to out.size() bytes at offset) and, in the same system read, the
    // block behind it, where the next chunk header usually starts. For walks that only go
    // forward: a payload rewritten after this read is never read from the block again.
    std::size_t ReadPayloadAt(std::int64_t offset, std::span<std::byte> out);

  private:
    // The bytes of a read of `want` at offset that the file holds: none outside it.
    std::size_t Wanted(std::int64_t offset, std::size_t want) const;
    bool InBlock(std::int64_t offset, std::size_t count) const;

    platform::RandomAccessFile& file_;
    std::int64_t length_;
    std::size_t blockSize_;
    std::vector<std::byte> block_;
    std::int64_t blockStart_ = 0;
    std::size_t blockValid_ = 0;
};

}  // namespace brelvo::avi
