// Header decoding: reads, row by row of the ChunkMap, the main header, every stream header
// with the format chunk that follows it, the INFO items and the display name. Pure reading;
// the load-time writes are NormaliseOnLoad's.
#pragma once

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

// Throws DecodeError or platform::IoError.
HeaderRecord DecodeHeaders(platform::RandomAccessFile& file, const ChunkMap& chunkMap);

}  // namespace brelvo::avi
