// SPDX-License-Identifier: GPL-2.0-or-later
// In-memory file.
#include "tests/support/memory_file.h"

#include <algorithm>
#include <cstring>

#include "platform/io_error.h"

namespace brelvo::platform {

MemoryFile::MemoryFile(std::vector<std::byte> bytes, std::string path, bool allowGrowth)
    : bytes_(std::move(bytes)), path_(std::move(path)), allowGrowth_(allowGrowth) {}

std::size_t MemoryFile::ReadAt(std::int64_t offset, std::span<std::byte> out) {
    if (offset < 0) throw IoError(FileOp::Seek, path_, "negative offset");
    const auto size = static_cast<std::int64_t>(bytes_.size());
    // An empty span may carry a null pointer, which memcpy must never see.
    if (offset >= size || out.empty()) return 0;
    const auto n = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(out.size()), size - offset));
    std::memcpy(out.data(), bytes_.data() + offset, n);
    return n;
}

void MemoryFile::WriteAt(std::int64_t offset, std::span<const std::byte> data) {
    if (offset < 0) throw IoError(FileOp::Seek, path_, "negative offset");
    const auto end = static_cast<std::size_t>(offset) + data.size();
    if (end > bytes_.size()) {
        if (!allowGrowth_) throw IoError(FileOp::Write, path_, "write past the end of the file");
        bytes_.resize(end);
    }
    if (!data.empty()) std::memcpy(bytes_.data() + offset, data.data(), data.size());
}

}  // namespace brelvo::platform
