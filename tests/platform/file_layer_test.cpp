// SPDX-License-Identifier: GPL-2.0-or-later
// The file layer: positioned reads and writes, errors that name the file, the test hook.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_open_hook.h"
#include "platform/file_system.h"
#include "platform/io_error.h"
#include "platform/random_access_file.h"
#include "tests/support/memory_file.h"
#include "tests/support/riff_builder.h"

namespace brelvo::platform {
namespace {

using testing::Bytes;
using testing::ToBytes;

TEST(NativeFile, ReadsAndWritesInPlaceWithoutChangingTheLength) {
    const std::string path = testing::WriteTempFile(ToBytes("0123456789"));
    {
        auto file = OpenFile(path, OpenMode::ReadWrite);
        const auto patch = ToBytes("ab");
        file->WriteAt(4, patch);
        std::vector<std::byte> tail(20);
        EXPECT_EQ(file->ReadAt(8, tail), 2u);
        EXPECT_EQ(file->Length(), 10);
        std::vector<std::byte> four(4);
        EXPECT_THROW(file->ReadExactAt(8, four), IoError);
    }
    EXPECT_EQ(testing::ReadWholeFile(path), ToBytes("0123ab6789"));
}

TEST(ReadSplitAt, FillsTheFirstPartThenTheSecondUpToTheEndOfTheFile) {
    const Bytes text = ToBytes("0123456789");
    const std::string path = testing::WriteTempFile(text);
    auto native = OpenFile(path, OpenMode::Read);
    MemoryFile memory(text);
    for (RandomAccessFile* file : {native.get(), static_cast<RandomAccessFile*>(&memory)}) {
        std::vector<std::byte> first(3);
        std::vector<std::byte> then(10, std::byte{'.'});
        EXPECT_EQ(file->ReadSplitAt(2, first, then), 8u);
        EXPECT_EQ(first, ToBytes("234"));
        EXPECT_EQ(then, ToBytes("56789....."));
        // Cut short inside the first part: the second is left alone.
        std::vector<std::byte> most(5);
        then.assign(2, std::byte{'.'});
        EXPECT_EQ(file->ReadSplitAt(7, most, then), 3u);
        EXPECT_EQ(then, ToBytes(".."));
        EXPECT_EQ(file->ReadSplitAt(10, first, then), 0u);
    }
}

TEST(NativeFile, ErrorsNameTheOperationThePathAndTheReason) {
    try {
        OpenFile("/nonexistent/clip.avi", OpenMode::Read);
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(e.Op(), FileOp::Open);
        EXPECT_EQ(e.Path(), "/nonexistent/clip.avi");
        EXPECT_NE(std::string(e.what()).find("/nonexistent/clip.avi"), std::string::npos);
        EXPECT_FALSE(e.Reason().empty());
    }
    const auto folder = std::filesystem::path(testing::WriteTempFile({})).parent_path().string();
    EXPECT_THROW(OpenFile(folder, OpenMode::ReadWrite), IoError);
}

TEST(MemoryFile, RefusesToGrow) {
    MemoryFile file(ToBytes("abcd"));
    EXPECT_THROW(file.WriteAt(3, ToBytes("xy")), IoError);
    file.WriteAt(2, ToBytes("xy"));
    EXPECT_EQ(file.Bytes(), ToBytes("abxy"));
}

TEST(FileOpenHook, SeesEveryOpenWhileInstalled) {
    const std::string path = testing::WriteTempFile(ToBytes("data"));
    int opens = 0;
    {
        ScopedFileOpenHook hook(
            [&](const std::string&, OpenMode, std::unique_ptr<RandomAccessFile> f) {
                ++opens;
                return f;
            });
        OpenFile(path, OpenMode::Read);
    }
    OpenFile(path, OpenMode::Read);
    EXPECT_EQ(opens, 1);
}

#ifndef _WIN32
TEST(MakeWritable, AddsTheOwnersWritePermission) {
    const std::string path = testing::WriteTempFile(ToBytes("data"));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    MakeWritable(path);
    EXPECT_NE(std::filesystem::status(path).permissions() & std::filesystem::perms::owner_write,
              std::filesystem::perms::none);
    EXPECT_THROW(MakeWritable("/nonexistent/clip.avi"), IoError);
}
#endif

}  // namespace
}  // namespace brelvo::platform
