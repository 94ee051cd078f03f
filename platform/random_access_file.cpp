// SPDX-License-Identifier: GPL-2.0-or-later
// Helpers shared by every RandomAccessFile.
#include "platform/random_access_file.h"

#include "platform/io_error.h"

namespace brelvo::platform {

void RandomAccessFile::ReadExactAt(std::int64_t offset, std::span<std::byte> out) {
    if (ReadAt(offset, out) != out.size()) {
        throw IoError(FileOp::Read, Path(), "unexpected end of file");
    }
}

std::size_t RandomAccessFile::ReadSplitAt(std::int64_t offset, std::span<std::byte> first,
                                          std::span<std::byte> then) {
    const std::size_t got = ReadAt(offset, first);
    if (got < first.size()) return got;
    return got + ReadAt(offset + static_cast<std::int64_t>(got), then);
}

std::vector<std::byte> RandomAccessFile::ReadVectorAt(std::int64_t offset, std::size_t count) {
    std::vector<std::byte> bytes(count);
    bytes.resize(ReadAt(offset, bytes));
    return bytes;
}

}  // namespace brelvo::platform
