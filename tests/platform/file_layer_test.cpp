// SPDX-License-Identifier: GPL-2.0-or-later
// The file layer: positioned reads and writes alike on POSIX and Windows (these tests also run
// under Wine), errors that name the file.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/file_system.h"
#include "platform/io_error.h"
#include "platform/random_access_file.h"
#include "tests/support/riff_builder.h"

namespace brelvo::platform {
namespace {

using testing::Bytes;
using testing::ToBytes;

TEST(NativeFile, ReadsSeeWritesOfTheSameHandleInAnyOrderAndTheLengthStays) {
    // Windows' stdio needs a seek between writing and reading; every call must make it.
    const std::string path = testing::WriteTempFile(ToBytes("abcdefgh"));
    auto file = OpenFile(path, OpenMode::ReadWrite);
    std::vector<std::byte> two(2), tail(20);
    file->ReadExactAt(6, two);
    file->WriteAt(1, ToBytes("XY"));
    file->ReadExactAt(1, two);
    EXPECT_EQ(two, ToBytes("XY"));
    file->WriteAt(7, ToBytes("Z"));
    file->ReadExactAt(6, two);
    EXPECT_EQ(two, ToBytes("gZ"));
    EXPECT_EQ(file->ReadAt(6, tail), 2u);
    EXPECT_THROW(file->ReadExactAt(7, two), IoError);
    EXPECT_EQ(file->Length(), 8);
    file.reset();
    EXPECT_EQ(testing::ReadWholeFile(path), ToBytes("aXYdefgZ"));
    // Creating replaces the old content.
    EXPECT_EQ(OpenFile(path, OpenMode::CreateTruncate)->Length(), 0);
}

TEST(ReadSplitAt, FillsTheFirstPartThenTheSecondUpToTheEndOfTheFile) {
    const Bytes text = ToBytes("0123456789");
    auto file = OpenFile(testing::WriteTempFile(text), OpenMode::Read);
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

TEST(NativeFile, ErrorsNameTheOperationThePathAndTheReason) {
    try {
        OpenFile("/nonexistent/clip.avi", OpenMode::Read);
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(e.Op(), FileOp::Open);
        EXPECT_NE(std::string(e.what()).find("/nonexistent/clip.avi"), std::string::npos);
        EXPECT_FALSE(e.Reason().empty());
    }
    const auto folder = std::filesystem::path(testing::WriteTempFile({})).parent_path().string();
    for (const auto mode : {OpenMode::Read, OpenMode::ReadWrite}) {
        try {
            OpenFile(folder, mode);
            ADD_FAILURE() << "a folder was opened as a file";
        } catch (const IoError& e) {
            EXPECT_EQ(e.Op(), FileOp::Open);
            // The system's own words where it has them ("Is a directory", in the user's
            // language), ours otherwise.
            EXPECT_TRUE(e.Reason() == "it is a folder, not a file" ||
                        e.Reason() == std::strerror(EISDIR))
                << e.Reason();
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder));
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
