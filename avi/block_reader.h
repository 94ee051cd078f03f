// SPDX-License-Identifier: GPL-2.0-or-later
// Block-wise reading of a movie: the chunk walks look at a few bytes at a time, and serving
// them from one block keeps the cost in proportion to the bytes looked at, never the file.
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

    // The bytes at offset, up to `want` of them (fewer only at the end of the file). The view
    // stays valid until the next call. Offsets outside the file give an empty view.
    std::span<const std::byte> View(std::int64_t offset, std::size_t want);

    // Four bytes at offset as a signed little-endian number; bytes past the end count as 0.
    std::int32_t Int32At(std::int64_t offset);

  private:
    platform::RandomAccessFile& file_;
    std::int64_t length_;
    std::size_t blockSize_;
    std::vector<std::byte> block_;
    std::int64_t blockStart_ = 0;
};

}  // namespace brelvo::avi
