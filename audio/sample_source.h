// SPDX-License-Identifier: GPL-2.0-or-later
// The sample bytes of a WAV file from a start position, read in fixed blocks, then zero bytes
// once they run out: what re-integration writes, and what its check compares the movie with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/random_access_file.h"

namespace brelvo::audio {

class SampleSource {
  public:
    SampleSource(platform::RandomAccessFile& wav, std::int64_t from, std::int64_t end,
                 std::size_t blockSize);

    // Up to `most` bytes to write next; at least one while most > 0.
    std::span<const std::byte> Peek(std::int64_t most);
    // Takes n bytes of what Peek returned.
    void Consume(std::size_t n);
    // Takes n bytes without reading them.
    void Skip(std::int64_t n);

    std::int64_t Used() const { return used_; }
    std::int64_t ZeroBytes() const { return zeroBytes_; }

  private:
    void Refill();
    const std::vector<std::byte>& Zeros();

    platform::RandomAccessFile& wav_;
    std::int64_t next_;
    std::int64_t end_;
    std::vector<std::byte> buffer_;
    std::vector<std::byte> zeroBlock_;
    std::size_t valid_ = 0;
    std::size_t taken_ = 0;
    bool zeros_ = false;
    std::int64_t used_ = 0;
    std::int64_t zeroBytes_ = 0;
};

}  // namespace brelvo::audio
