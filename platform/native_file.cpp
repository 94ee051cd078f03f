// SPDX-License-Identifier: GPL-2.0-or-later
// RandomAccessFile over the operating system's files: pread/pwrite on POSIX, 64-bit stdio
// positioning on Windows.
#include <array>
#include <cerrno>
#include <cstdio>

#include "platform/file_open_hook.h"
#include "platform/io_error.h"
#include "platform/random_access_file.h"

#ifdef _WIN32
#include <filesystem>
#include <system_error>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#endif

namespace brelvo::platform {
namespace {

#ifndef _WIN32
class NativeFile final : public RandomAccessFile {
  public:
    NativeFile(std::string path, OpenMode mode) : path_(std::move(path)) {
        int flags = O_RDONLY;
        if (mode == OpenMode::ReadWrite) flags = O_RDWR;
        if (mode == OpenMode::CreateTruncate) flags = O_RDWR | O_CREAT | O_TRUNC;
        fd_ = ::open(path_.c_str(), flags | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            throw IoError(mode == OpenMode::CreateTruncate ? FileOp::Create : FileOp::Open, path_,
                          ErrnoReason(errno));
        }
        struct stat st {};
        if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd_);
            throw IoError(FileOp::Open, path_, "it is a folder, not a file");
        }
    }
    ~NativeFile() override { ::close(fd_); }
    NativeFile(const NativeFile&) = delete;
    NativeFile& operator=(const NativeFile&) = delete;

    std::size_t ReadAt(std::int64_t offset, std::span<std::byte> out) override {
        if (offset < 0) throw IoError(FileOp::Seek, path_, "negative offset");
        std::size_t done = 0;
        while (done < out.size()) {
            const ssize_t n = ::pread(fd_, out.data() + done, out.size() - done,
                                      static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
            if (n < 0) {
                if (errno == EINTR) continue;
                throw IoError(FileOp::Read, path_, ErrnoReason(errno));
            }
            if (n == 0) break;
            done += static_cast<std::size_t>(n);
        }
        return done;
    }

    std::size_t ReadSplitAt(std::int64_t offset, std::span<std::byte> first,
                            std::span<std::byte> then) override {
        if (offset < 0) throw IoError(FileOp::Seek, path_, "negative offset");
        std::array<iovec, 2> parts{iovec{first.data(), first.size()},
                                   iovec{then.data(), then.size()}};
        ssize_t n = 0;
        do {
            n = ::preadv(fd_, parts.data(), 2, static_cast<off_t>(offset));
        } while (n < 0 && errno == EINTR);
        if (n < 0) throw IoError(FileOp::Read, path_, ErrnoReason(errno));
        const auto got = static_cast<std::size_t>(n);
        if (n == 0 || got == first.size() + then.size()) return got;
        // Short, but perhaps not at the end of the file: the rest piece by piece.
        if (got < first.size()) {
            return got + RandomAccessFile::ReadSplitAt(offset + n, first.subspan(got), then);
        }
        return got + ReadAt(offset + n, then.subspan(got - first.size()));
    }

    void WriteAt(std::int64_t offset, std::span<const std::byte> data) override {
        if (offset < 0) throw IoError(FileOp::Seek, path_, "negative offset");
        std::size_t done = 0;
        while (done < data.size()) {
            const ssize_t n =
                ::pwrite(fd_, data.data() + done, data.size() - done,
                         static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
            if (n < 0) {
                if (errno == EINTR) continue;
                throw IoError(FileOp::Write, path_, ErrnoReason(errno));
            }
            done += static_cast<std::size_t>(n);
        }
    }

    std::int64_t Length() override {
        struct stat st {};
        if (::fstat(fd_, &st) != 0) throw IoError(FileOp::Length, path_, ErrnoReason(errno));
        return static_cast<std::int64_t>(st.st_size);
    }

    const std::string& Path() const override { return path_; }

  private:
    std::string path_;
    int fd_ = -1;
};
#else
class NativeFile final : public RandomAccessFile {
  public:
    NativeFile(std::string path, OpenMode mode) : path_(std::move(path)) {
        // fopen refuses a folder with a bare "Permission denied"; name the cause instead.
        std::error_code ec;
        if (std::filesystem::is_directory(path_, ec)) {
            throw IoError(FileOp::Open, path_, "it is a folder, not a file");
        }
        const char* how = mode == OpenMode::Read        ? "rb"
                          : mode == OpenMode::ReadWrite ? "r+b"
                                                        : "w+b";
        file_ = std::fopen(path_.c_str(), how);
        if (!file_) {
            throw IoError(mode == OpenMode::CreateTruncate ? FileOp::Create : FileOp::Open, path_,
                          ErrnoReason(errno));
        }
    }
    ~NativeFile() override { std::fclose(file_); }
    NativeFile(const NativeFile&) = delete;
    NativeFile& operator=(const NativeFile&) = delete;

    std::size_t ReadAt(std::int64_t offset, std::span<std::byte> out) override {
        Seek(offset);
        const std::size_t n = std::fread(out.data(), 1, out.size(), file_);
        if (n < out.size() && std::ferror(file_)) {
            throw IoError(FileOp::Read, path_, ErrnoReason(errno));
        }
        return n;
    }
    void WriteAt(std::int64_t offset, std::span<const std::byte> data) override {
        Seek(offset);
        if (std::fwrite(data.data(), 1, data.size(), file_) != data.size() ||
            std::fflush(file_) != 0) {
            throw IoError(FileOp::Write, path_, ErrnoReason(errno));
        }
    }
    std::int64_t Length() override {
        if (_fseeki64(file_, 0, SEEK_END) != 0)
            throw IoError(FileOp::Length, path_, ErrnoReason(errno));
        return _ftelli64(file_);
    }
    const std::string& Path() const override { return path_; }

  private:
    void Seek(std::int64_t offset) {
        if (offset < 0 || _fseeki64(file_, offset, SEEK_SET) != 0) {
            throw IoError(FileOp::Seek, path_, ErrnoReason(errno));
        }
    }
    std::string path_;
    std::FILE* file_ = nullptr;
};
#endif

}  // namespace

std::unique_ptr<RandomAccessFile> OpenFile(const std::string& path, OpenMode mode) {
    return ApplyFileOpenHook(path, mode, std::make_unique<NativeFile>(path, mode));
}

}  // namespace brelvo::platform
