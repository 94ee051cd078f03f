// SPDX-License-Identifier: GPL-2.0-or-later
// Opening a movie for the read-only commands: the chunk walk and the header decoding, with
// every way of failing turned into one line that names the file and the reason.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "avi/chunk_map.h"
#include "avi/header_record.h"
#include "platform/random_access_file.h"

namespace brelvo::cli {

struct LoadedMovie {
    std::string path;
    std::int64_t fileSize = 0;
    avi::ChunkMap chunkMap;
    avi::HeaderRecord record;
};

// what() is the whole line for stderr: "brelvo-cli: PATH: REASON".
class MovieLoadError : public std::runtime_error {
  public:
    MovieLoadError(const std::string& path, const std::string& reason);
    const std::string& Path() const { return path_; }
    const std::string& Reason() const { return reason_; }

  private:
    std::string path_;
    std::string reason_;
};

// Opens the file after checking that it exists, is a regular file and begins as a RIFF AVI
// file. Throws MovieLoadError.
std::unique_ptr<platform::RandomAccessFile> OpenMovie(const std::string& path,
                                                      platform::OpenMode mode);

// Opens the file read-only (it is never written), checks that it is a RIFF AVI file, walks
// and decodes it. Throws MovieLoadError.
LoadedMovie LoadMovie(const std::string& path);

}  // namespace brelvo::cli
