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

void RemoveFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::remove(path, ec) && ec) {
        throw IoError(FileOp::Remove, path, ec.message());
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
