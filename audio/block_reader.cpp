// SPDX-License-Identifier: GPL-2.0-or-later
// Cached small reads.
#include "audio/block_reader.h"

#include <algorithm>
#include <cstring>

namespace brelvo::audio {

BlockReader::BlockReader(platform::RandomAccessFile& file, std::size_t blockSize)
    : file_(file), length_(file.Length()), block_(std::max<std::size_t>(blockSize, 16)) {}

bool BlockReader::InBlock(std::int64_t offset, std::size_t count) const {
    return offset >= blockStart_ && offset + static_cast<std::int64_t>(count) <=
                                        blockStart_ + static_cast<std::int64_t>(blockValid_);
}

std::size_t BlockReader::Wanted(std::int64_t offset, std::span<std::byte> out) const {
    if (offset < 0 || offset >= length_) return 0;
    return static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(out.size()), length_ - offset));
}

std::size_t BlockReader::ReadAt(std::int64_t offset, std::span<std::byte> out) {
    const auto wanted = Wanted(offset, out);
    if (wanted == 0) return 0;
    if (!InBlock(offset, wanted)) {
        if (wanted > block_.size() / 2) return file_.ReadAt(offset, out.first(wanted));
        blockStart_ = offset;
        blockValid_ = file_.ReadAt(offset, block_);
        if (!InBlock(offset, wanted)) {  // the file shrank under us: give what there is
            const auto have = std::min(blockValid_, wanted);
            std::memcpy(out.data(), block_.data(), have);
            return have;
        }
    }
    std::memcpy(out.data(), block_.data() + (offset - blockStart_), wanted);
    return wanted;
}

std::size_t BlockReader::ReadPayloadAt(std::int64_t offset, std::span<std::byte> out) {
    const auto wanted = Wanted(offset, out);
    if (wanted == 0) return 0;
    if (InBlock(offset, wanted)) {
        std::memcpy(out.data(), block_.data() + (offset - blockStart_), wanted);
        return wanted;
    }
    const std::size_t got = file_.ReadSplitAt(offset, out.first(wanted), block_);
    if (got < wanted) {
        blockValid_ = 0;
        return got;
    }
    blockStart_ = offset + static_cast<std::int64_t>(wanted);
    blockValid_ = got - wanted;
    return wanted;
}

}  // namespace brelvo::audio
