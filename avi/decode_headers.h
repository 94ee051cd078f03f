// SPDX-License-Identifier: GPL-2.0-or-later
// Header decoding: reads, row by row of the ChunkMap, the main header, every stream header
// with the format chunk that follows it, the INFO items and the display name. Pure reading;
// the load-time writes are NormaliseOnLoad's.
#pragma once

#include <cstdint>
#include <stdexcept>

#include "avi/chunk_map.h"
#include "avi/header_record.h"
#include "platform/random_access_file.h"

namespace brelvo::avi {

// Thrown when a header cannot be decoded (cut short by the end of the file, a value that does
// not fit 32 bits). The load then fails.
class DecodeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// An INFO item or display name is read up to this many bytes, and all of them together up to
// the second limit: a real one is a line of text, while ids met inside other data may claim
// gigabytes each.
inline constexpr std::int32_t kMaxTextItemBytes = 1 << 20;
inline constexpr std::int64_t kMaxTextBytesTotal = 16 << 20;

// Throws DecodeError or platform::IoError.
HeaderRecord DecodeHeaders(platform::RandomAccessFile& file, const ChunkMap& chunkMap);

}  // namespace brelvo::avi
