// SPDX-License-Identifier: GPL-2.0-or-later
// Typed file errors: what was attempted, on which path, and the system's reason.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace brelvo::platform {

enum class FileOp { Open, Read, Write, Seek, Length, Remove, Rename, Attributes, Create };

// The verb for a message: "open", "read", ...
const char* FileOpVerb(FileOp op);

class IoError : public std::runtime_error {
  public:
    IoError(FileOp op, std::string path, std::string reason);

    FileOp Op() const { return op_; }
    const std::string& Path() const { return path_; }
    const std::string& Reason() const { return reason_; }

  private:
    FileOp op_;
    std::string path_;
    std::string reason_;
};

// The system's text for errno, as a reason.
std::string ErrnoReason(int errnoValue);

}  // namespace brelvo::platform
