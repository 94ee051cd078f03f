// SPDX-License-Identifier: GPL-2.0-or-later
// A RandomAccessFile held in memory, for tests and fuzzing. Like a real file it never grows
// by itself unless growth is allowed, so tests can prove that nothing lengthens a movie.
#pragma once

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

}  // namespace brelvo::platform
