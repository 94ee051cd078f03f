// SPDX-License-Identifier: GPL-2.0-or-later
// RandomAccessFiles held in memory, for tests and fuzzing. Like a real file a MemoryFile
// never grows by itself unless growth is allowed, so tests can prove that nothing lengthens a
// movie; a SparseFile is a movie of any length that costs only the pieces placed in it.
#pragma once

#include <map>
#include <vector>

#include "platform/random_access_file.h"

namespace brelvo::platform {

class MemoryFile final : public RandomAccessFile {
  public:
    explicit MemoryFile(std::vector<std::byte> bytes, std::string path = "memory.avi",
                        bool allowGrowth = false);

    std::size_t ReadAt(std::int64_t offset, std::span<std::byte> out) override;
    void WriteAt(std::int64_t offset, std::span<const std::byte> data) override;
    std::int64_t Length() override { return static_cast<std::int64_t>(bytes_.size()); }
    const std::string& Path() const override { return path_; }

    const std::vector<std::byte>& Bytes() const { return bytes_; }

  private:
    std::vector<std::byte> bytes_;
    std::string path_;
    bool allowGrowth_;
};

// Read-only, zero but for the pieces placed in it; it counts the reads and bytes read.
class SparseFile final : public RandomAccessFile {
  public:
    explicit SparseFile(std::int64_t length) : length_(length) {}
    void Place(std::int64_t offset, std::vector<std::byte> bytes) {
        pieces_[offset] = std::move(bytes);
    }

    std::size_t ReadAt(std::int64_t offset, std::span<std::byte> out) override;
    void WriteAt(std::int64_t offset, std::span<const std::byte> data) override;
    std::int64_t Length() override { return length_; }
    const std::string& Path() const override { return path_; }

    int reads = 0;
    std::int64_t bytesRead = 0;

  private:
    std::int64_t length_;
    std::map<std::int64_t, std::vector<std::byte>> pieces_;
    std::string path_ = "sparse.avi";
};

}  // namespace brelvo::platform
