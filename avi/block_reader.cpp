// SPDX-License-Identifier: GPL-2.0-or-later
// Block-wise reading of a movie.
#include "avi/block_reader.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/little_endian.h"

namespace brelvo::avi {

BlockReader::BlockReader(platform::RandomAccessFile& file, std::size_t blockSize)
    : file_(file), length_(file.Length()), blockSize_(std::max<std::size_t>(blockSize, 16)) {}

bool BlockReader::InBlock(std::int64_t offset, std::size_t count) const {
    return offset >= blockStart_ && offset + static_cast<std::int64_t>(count) <=
                                        blockStart_ + static_cast<std::int64_t>(blockValid_);
}

std::size_t BlockReader::Wanted(std::int64_t offset, std::size_t want) const {
    if (offset < 0 || offset >= length_) return 0;
    return static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(want), length_ - offset));
}

std::span<const std::byte> BlockReader::View(std::int64_t offset, std::size_t want) {
    const auto wanted = Wanted(offset, want);
    if (wanted == 0) return {};
    if (!InBlock(offset, wanted)) {
        const auto fetch = std::max(blockSize_, wanted);
        if (block_.size() < fetch) block_.resize(fetch);
        blockStart_ = offset;
        blockValid_ = file_.ReadAt(offset, std::span(block_).first(fetch));
    }
    // Fewer bytes than wanted only when the file shrank under us: give what there is.
    const auto at = static_cast<std::size_t>(offset - blockStart_);
    return std::span<const std::byte>(block_).subspan(at, std::min(wanted, blockValid_ - at));
}

std::int32_t BlockReader::Int32At(std::int64_t offset) {
    std::array<std::byte, 4> bytes{};
    const auto view = View(offset, bytes.size());
    std::copy(view.begin(), view.end(), bytes.begin());
    return platform::ReadI32(bytes, 0);
}

std::size_t BlockReader::ReadAt(std::int64_t offset, std::span<std::byte> out) {
    const auto wanted = Wanted(offset, out.size());
    if (wanted == 0) return 0;
    if (wanted > blockSize_ / 2 && !InBlock(offset, wanted)) {
        return file_.ReadAt(offset, out.first(wanted));
    }
    const auto view = View(offset, wanted);
    std::memcpy(out.data(), view.data(), view.size());
    return view.size();
}

std::size_t BlockReader::ReadPayloadAt(std::int64_t offset, std::span<std::byte> out) {
    const auto wanted = Wanted(offset, out.size());
    if (wanted == 0) return 0;
    if (InBlock(offset, wanted)) {
        std::memcpy(out.data(), block_.data() + (offset - blockStart_), wanted);
        return wanted;
    }
    if (block_.size() < blockSize_) block_.resize(blockSize_);
    const std::size_t got =
        file_.ReadSplitAt(offset, out.first(wanted), std::span(block_).first(blockSize_));
    if (got < wanted) {
        blockValid_ = 0;
        return got;
    }
    blockStart_ = offset + static_cast<std::int64_t>(wanted);
    blockValid_ = got - wanted;
    return wanted;
}

}  // namespace brelvo::avi
