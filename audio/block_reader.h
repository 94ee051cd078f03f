// SPDX-License-Identifier: GPL-2.0-or-later
// Small positioned reads through one cached block, so that walking chunk headers costs one
// system read per block rather than per header, while large payloads are read directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/random_access_file.h"

namespace brelvo::audio {

class BlockReader {
  public:
    BlockReader(platform::RandomAccessFile& file, std::size_t blockSize);

    // Reads up to out.size() bytes at offset (fewer only at the end of the file).
    std::size_t ReadAt(std::int64_t offset, std::span<std::byte> out);
    // Reads a payload (up to out.size() bytes at offset) and, in the same system read, the
    // block behind it, where the next chunk header usually starts. The walk only goes forward,
    // so a payload rewritten after this read is never read from the block again.
    std::size_t ReadPayloadAt(std::int64_t offset, std::span<std::byte> out);
    std::int64_t Length() const { return length_; }
    platform::RandomAccessFile& File() { return file_; }

  private:
    // The bytes of out a read at offset can fill: none outside the file.
    std::size_t Wanted(std::int64_t offset, std::span<std::byte> out) const;
    bool InBlock(std::int64_t offset, std::size_t count) const;

    platform::RandomAccessFile& file_;
    std::int64_t length_;
    std::vector<std::byte> block_;
    std::int64_t blockStart_ = 0;
    std::size_t blockValid_ = 0;
};

}  // namespace brelvo::audio
