// SPDX-License-Identifier: GPL-2.0-or-later
// The file interface every core operation reads and writes through: positioned reads and
// writes with 64-bit offsets. Real files, in-memory files (tests, fuzzing) and fault-injecting
// wrappers all implement it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace brelvo::platform {

class RandomAccessFile {
  public:
    virtual ~RandomAccessFile() = default;

    // Reads up to out.size() bytes at offset; returns how many were read (fewer only at the
    // end of the file). Throws IoError when the read itself fails.
    virtual std::size_t ReadAt(std::int64_t offset, std::span<std::byte> out) = 0;
    // Writes all of data at offset. Throws IoError on failure.
    virtual void WriteAt(std::int64_t offset, std::span<const std::byte> data) = 0;
    // Reads up to first.size() + then.size() bytes at offset, filling `first` before `then`;
    // returns how many were read in all. Real files do it in one system read, which lets the
    // audio walk fetch a payload and the chunk header behind it together.
    virtual std::size_t ReadSplitAt(std::int64_t offset, std::span<std::byte> first,
                                    std::span<std::byte> then);
    virtual std::int64_t Length() = 0;
    virtual const std::string& Path() const = 0;

    // Reads exactly out.size() bytes or throws IoError(Read, ..., "unexpected end of file").
    void ReadExactAt(std::int64_t offset, std::span<std::byte> out);
    // Reads up to count bytes into a new vector (short at the end of the file).
    std::vector<std::byte> ReadVectorAt(std::int64_t offset, std::size_t count);
};

enum class OpenMode { Read, ReadWrite, CreateTruncate };

// Opens a file of the real file system (through the test hook when one is installed).
std::unique_ptr<RandomAccessFile> OpenFile(const std::string& path, OpenMode mode);

}  // namespace brelvo::platform
