// SPDX-License-Identifier: GPL-2.0-or-later
// A test seam in the file layer: while a hook is installed, OpenFile hands every opened file
// to it, so tests can wrap files (fault injection) or refuse to open them.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/random_access_file.h"

namespace brelvo::platform {

using FileOpenHook = std::function<std::unique_ptr<RandomAccessFile>(
    const std::string& path, OpenMode mode, std::unique_ptr<RandomAccessFile> opened)>;

// Installs the hook for the lifetime of the guard (tests only; not thread-safe).
class ScopedFileOpenHook {
  public:
    explicit ScopedFileOpenHook(FileOpenHook hook);
    ~ScopedFileOpenHook();
    ScopedFileOpenHook(const ScopedFileOpenHook&) = delete;
    ScopedFileOpenHook& operator=(const ScopedFileOpenHook&) = delete;

  private:
    FileOpenHook previous_;
};

// Called by OpenFile with the file it just opened; returns it unchanged without a hook.
std::unique_ptr<RandomAccessFile> ApplyFileOpenHook(const std::string& path, OpenMode mode,
                                                    std::unique_ptr<RandomAccessFile> opened);

}  // namespace brelvo::platform
