// SPDX-License-Identifier: GPL-2.0-or-later
// Typed file errors.
#include "platform/io_error.h"

#include <cstring>

namespace brelvo::platform {

const char* FileOpVerb(FileOp op) {
    switch (op) {
        case FileOp::Open:
            return "open";
        case FileOp::Read:
            return "read";
        case FileOp::Write:
            return "write";
        case FileOp::Seek:
            return "seek in";
        case FileOp::Length:
            return "take the length of";
        case FileOp::Remove:
            return "delete";
        case FileOp::Rename:
            return "rename";
        case FileOp::Attributes:
            return "change the attributes of";
        case FileOp::Create:
            return "create";
    }
    return "use";
}

IoError::IoError(FileOp op, std::string path, std::string reason)
    : std::runtime_error("Cannot " + std::string(FileOpVerb(op)) + " " + path + ": " + reason),
      op_(op),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

std::string ErrnoReason(int errnoValue) {
    return std::strerror(errnoValue);
}

}  // namespace brelvo::platform
