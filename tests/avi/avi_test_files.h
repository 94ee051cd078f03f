// SPDX-License-Identifier: GPL-2.0-or-later
// Test files for the AVI core: a huge sparse movie that counts what is read, byte searches.
#pragma once

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string_view>

#include "tests/support/memory_file.h"
#include "tests/support/riff_builder.h"

namespace brelvo::testing {

// The 0-based offset of the first occurrence of text at or after `from`, or -1.
inline std::int64_t OffsetOf(const Bytes& bytes, std::string_view text, std::int64_t from = 0) {
    const std::string_view all(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const auto at = all.find(text, static_cast<std::size_t>(from));
    return at == std::string_view::npos ? -1 : static_cast<std::int64_t>(at);
}

// A read-only file of any length, zero but for the pieces placed in it; it counts reads.
class SparseFile final : public platform::RandomAccessFile {
  public:
    explicit SparseFile(std::int64_t length) : length_(length) {}
    void Place(std::int64_t offset, Bytes bytes) { pieces_[offset] = std::move(bytes); }

    std::size_t ReadAt(std::int64_t offset, std::span<std::byte> out) override {
        const auto n = static_cast<std::size_t>(
            std::clamp<std::int64_t>(length_ - offset, 0, static_cast<std::int64_t>(out.size())));
        std::fill_n(out.begin(), n, std::byte{0});
        for (const auto& [at, bytes] : pieces_) {
            const auto end = std::min(at + static_cast<std::int64_t>(bytes.size()),
                                      offset + static_cast<std::int64_t>(n));
            for (auto k = std::max(at, offset); k < end; ++k) out[k - offset] = bytes[k - at];
        }
        ++reads;
        bytesRead += static_cast<std::int64_t>(n);
        return n;
    }
    void WriteAt(std::int64_t, std::span<const std::byte>) override {
        throw std::logic_error("read-only");
    }
    std::int64_t Length() override { return length_; }
    const std::string& Path() const override { return path_; }

    int reads = 0;
    std::int64_t bytesRead = 0;

  private:
    std::int64_t length_;
    std::map<std::int64_t, Bytes> pieces_;
    std::string path_ = "sparse.avi";
};

}  // namespace brelvo::testing
