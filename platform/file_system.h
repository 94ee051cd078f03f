// SPDX-License-Identifier: GPL-2.0-or-later
// Whole-file operations by path: existence, removal, renaming, and making a movie writable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace brelvo::platform {

bool FileExists(const std::string& path);
bool IsRegularFile(const std::string& path);
// What a path names when it is there but no plain file, for a message: "a folder", "a pipe
// (FIFO)", "a device", "a socket", "no plain file"; nothing for a file or a missing path.
std::optional<std::string> NonFileKind(const std::string& path);
// Replaces `to` atomically where the system allows. Throws IoError(Rename).
void RenameFile(const std::string& from, const std::string& to);
// Throws IoError(Length).
std::int64_t FileLengthOf(const std::string& path);

// The movie must be writable before it is edited in place. On Windows the attributes become
// exactly "archive"; on POSIX the owner's write permission is added when missing. Throws
// IoError(Attributes) when the attributes cannot be read or set.
void MakeWritable(const std::string& path);

}  // namespace brelvo::platform
