// SPDX-License-Identifier: GPL-2.0-or-later
// WAV samples in blocks, then zeros.
#include "audio/sample_source.h"

#include <algorithm>

namespace brelvo::audio {

SampleSource::SampleSource(platform::RandomAccessFile& wav, std::int64_t from, std::int64_t end,
                           std::size_t blockSize)
    : wav_(wav), next_(from), end_(end), buffer_(std::max<std::size_t>(blockSize, 16)) {}

std::span<const std::byte> SampleSource::Peek(std::int64_t most) {
    if (taken_ == valid_ && next_ < end_) Refill();
    const std::span<const std::byte> source =
        taken_ < valid_ ? std::span<const std::byte>(buffer_).subspan(taken_, valid_ - taken_)
                        : std::span<const std::byte>(Zeros());
    zeros_ = taken_ == valid_;
    return source.first(static_cast<std::size_t>(
        std::min<std::int64_t>(most, static_cast<std::int64_t>(source.size()))));
}

void SampleSource::Consume(std::size_t n) {
    if (zeros_) {
        zeroBytes_ += static_cast<std::int64_t>(n);
    } else {
        taken_ += n;
        used_ += static_cast<std::int64_t>(n);
    }
}

void SampleSource::Skip(std::int64_t n) {
    const auto buffered = std::min<std::int64_t>(n, static_cast<std::int64_t>(valid_ - taken_));
    taken_ += static_cast<std::size_t>(buffered);
    const auto unread = std::clamp<std::int64_t>(n - buffered, 0, end_ - next_);
    next_ += unread;
    used_ += buffered + unread;
    zeroBytes_ += n - buffered - unread;
}

void SampleSource::Refill() {
    const auto want = static_cast<std::size_t>(
        std::min<std::int64_t>(end_ - next_, static_cast<std::int64_t>(buffer_.size())));
    valid_ = wav_.ReadAt(next_, std::span(buffer_).first(want));
    taken_ = 0;
    next_ = valid_ == want ? next_ + static_cast<std::int64_t>(valid_) : end_;
}

const std::vector<std::byte>& SampleSource::Zeros() {
    if (zeroBlock_.empty()) zeroBlock_.assign(buffer_.size(), std::byte{0});
    return zeroBlock_;
}

}  // namespace brelvo::audio
