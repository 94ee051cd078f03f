// The exit prompt's undo: the saved first bytes of the movie written back over it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace brelvo::app {

// Writes the backup at offset 0 of the file at `path` and reads it back. Never lengthens the
// file: when the file is shorter than the backup, only the bytes that fit are written.
// Returns how many bytes were written. Throws avi::PatchRefused, before writing, when the file
// no longer has the length it had when it was loaded (another movie under the same name; a
// negative loadedLength means unknown), and platform::IoError when the file cannot be opened,
// written, or the bytes read back differ.
std::size_t WriteBackHeader(const std::string& path, std::span<const std::byte> backup,
                            std::int64_t loadedLength);

}  // namespace brelvo::app
