// SPDX-License-Identifier: GPL-2.0-or-later
// Block-wise reading of a movie.
#include "avi/block_reader.h"

#include <algorithm>
#include <array>

#include "platform/little_endian.h"

namespace brelvo::avi {

BlockReader::BlockReader(platform::RandomAccessFile& file, std::size_t blockSize)
    : file_(file), length_(file.Length()), blockSize_(blockSize) {}

std::span<const std::byte> BlockReader::View(std::int64_t offset, std::size_t want) {
    if (offset < 0 || offset >= length_) return {};
    const auto available = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(want), length_ - offset));
    const auto blockEnd = blockStart_ + static_cast<std::int64_t>(block_.size());
    if (offset < blockStart_ || offset + static_cast<std::int64_t>(available) > blockEnd) {
        blockStart_ = offset;
        block_.resize(std::max(blockSize_, available));
        block_.resize(file_.ReadAt(offset, block_));
    }
    const auto at = static_cast<std::size_t>(offset - blockStart_);
    return std::span<const std::byte>(block_).subspan(at, std::min(available, block_.size() - at));
}

std::int32_t BlockReader::Int32At(std::int64_t offset) {
    std::array<std::byte, 4> bytes{};
    const auto view = View(offset, bytes.size());
    std::copy(view.begin(), view.end(), bytes.begin());
    return platform::ReadI32(bytes, 0);
}

}  // namespace brelvo::avi
