// SPDX-License-Identifier: GPL-2.0-or-later
// Whole-file operations by path.
#include "platform/file_system.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/io_error.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace brelvo::platform {

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

bool IsRegularFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::optional<std::string> NonFileKind(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    switch (fs::status(path, ec).type()) {
        case fs::file_type::regular:
        case fs::file_type::not_found:
        case fs::file_type::none:
            return std::nullopt;
        case fs::file_type::directory:
            return "a folder";
        case fs::file_type::fifo:
            return "a pipe (FIFO)";
        case fs::file_type::block:
        case fs::file_type::character:
            return "a device";
        case fs::file_type::socket:
            return "a socket";
        default:
            return "no plain file";
    }
}

void RenameFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    if (ec) throw IoError(FileOp::Rename, from, ec.message());
}

std::int64_t FileLengthOf(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) throw IoError(FileOp::Length, path, ec.message());
    return static_cast<std::int64_t>(size);
}

void MakeWritable(const std::string& path) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        throw IoError(FileOp::Attributes, path, "cannot read the attributes");
    }
    if (attributes != FILE_ATTRIBUTE_ARCHIVE &&
        !SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE)) {
        throw IoError(FileOp::Attributes, path, "cannot set the attributes");
    }
#else
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        throw IoError(FileOp::Attributes, path, ErrnoReason(errno));
    }
    if ((st.st_mode & S_IWUSR) == 0 && ::chmod(path.c_str(), st.st_mode | S_IWUSR) != 0) {
        throw IoError(FileOp::Attributes, path, ErrnoReason(errno));
    }
#endif
}

}  // namespace brelvo::platform
