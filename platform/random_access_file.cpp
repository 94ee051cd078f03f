// Helpers shared by every RandomAccessFile.
#include "platform/random_access_file.h"

#include "platform/io_error.h"

namespace brelvo::platform {

void RandomAccessFile::ReadExactAt(std::int64_t offset, std::span<std::byte> out) {
    if (ReadAt(offset, out) != out.size()) {
        throw IoError(FileOp::Read, Path(), "unexpected end of file");
    }
}

std::vector<std::byte> RandomAccessFile::ReadVectorAt(std::int64_t offset, std::size_t count) {
    std::vector<std::byte> bytes(count);
    bytes.resize(ReadAt(offset, bytes));
    return bytes;
}

}  // namespace brelvo::platform
