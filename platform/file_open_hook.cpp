// SPDX-License-Identifier: GPL-2.0-or-later
// The file layer's test seam.
#include "platform/file_open_hook.h"

namespace brelvo::platform {
namespace {
FileOpenHook& CurrentHook() {
    static FileOpenHook hook;
    return hook;
}
}  // namespace

ScopedFileOpenHook::ScopedFileOpenHook(FileOpenHook hook) : previous_(std::move(CurrentHook())) {
    CurrentHook() = std::move(hook);
}

ScopedFileOpenHook::~ScopedFileOpenHook() {
    CurrentHook() = std::move(previous_);
}

std::unique_ptr<RandomAccessFile> ApplyFileOpenHook(const std::string& path, OpenMode mode,
                                                    std::unique_ptr<RandomAccessFile> opened) {
    if (!CurrentHook()) return opened;
    return CurrentHook()(path, mode, std::move(opened));
}

}  // namespace brelvo::platform
