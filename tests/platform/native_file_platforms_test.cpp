// SPDX-License-Identifier: GPL-2.0-or-later
// The real-file layer behaves alike on POSIX and Windows (these tests also run under Wine).
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/io_error.h"
#include "platform/random_access_file.h"
#include "tests/support/riff_builder.h"

namespace brelvo::platform {
namespace {

using testing::ToBytes;

TEST(NativeFileOnEveryPlatform, RefusesAFolderAndSaysWhy) {
    const std::string folder =
        std::filesystem::path(testing::WriteTempFile(ToBytes("x"))).parent_path().string();
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

TEST(NativeFileOnEveryPlatform, ReadsSeeWritesOfTheSameHandleInAnyOrder) {
    // Windows' stdio needs a seek between writing and reading; every call must make it.
    const std::string path = testing::WriteTempFile(ToBytes("abcdefgh"));
    auto file = OpenFile(path, OpenMode::ReadWrite);
    std::vector<std::byte> two(2);
    file->ReadExactAt(6, two);
    file->WriteAt(1, ToBytes("XY"));
    file->ReadExactAt(1, two);
    EXPECT_EQ(two, ToBytes("XY"));
    EXPECT_EQ(file->Length(), 8);
    file->WriteAt(7, ToBytes("Z"));
    file->ReadExactAt(6, two);
    EXPECT_EQ(two, ToBytes("gZ"));
    file.reset();
    EXPECT_EQ(testing::ReadWholeFile(path), ToBytes("aXYdefgZ"));

    // Creating replaces the old content.
    auto created = OpenFile(path, OpenMode::CreateTruncate);
    EXPECT_EQ(created->Length(), 0);
}

}  // namespace
}  // namespace brelvo::platform
