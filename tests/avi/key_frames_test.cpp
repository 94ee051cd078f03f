// SPDX-License-Identifier: GPL-2.0-or-later
// The key-frame count over the index and its caption.
#include "avi/key_frames.h"

#include <gtest/gtest.h>

#include "tests/support/memory_file.h"
#include "tests/support/test_movies.h"

namespace brelvo::avi {
namespace {

using namespace brelvo::testing;

void AppendEntry(Bytes& index, std::string_view id, std::uint32_t flags) {
    AppendText(index, id);
    AppendU32(index, flags);
    AppendU32(index, 0);
    AppendU32(index, 0);
}

TEST(KeyFrames, CountsFlaggedEntriesOfTheVideoStreamOnly) {
    Bytes index;
    for (const auto* id : {"00dc", "00db", "01wb", "0 dc"}) AppendEntry(index, id, 0x11);
    AppendEntry(index, "00dc", 0x01);
    AppendText(index, std::string("00dc\x10\0\0", 7));  // a partial entry is never read
    platform::MemoryFile file(Chunk("idx1", index, false));
    const ChunkRow row{"IDX1", 5, static_cast<std::int32_t>(index.size())};
    EXPECT_EQ(CountKeyFrames(file, row, 0).keyFrames, 2);
    EXPECT_EQ(CountKeyFrames(file, row, 0).entriesRead, 5);
    EXPECT_EQ(CountKeyFrames(file, row, 1).keyFrames, 1);  // video as stream 1 counts "01"
    // An index cut short by the end of the file counts the whole entries that are there; a
    // size is unsigned, so one that reads negative is only large.
    EXPECT_EQ(CountKeyFrames(file, ChunkRow{"IDX1", 5, 1600}, 0).entriesRead, 5);
    EXPECT_EQ(CountKeyFrames(file, ChunkRow{"IDX1", 5, -32}, 0).entriesRead, 5);
}

TEST(KeyFrames, MillionEntryIndexIsReadInBlocks) {
    Bytes index;
    for (int k = 0; k < 1'000'000; ++k) AppendEntry(index, k % 2 ? "01wb" : "00dc", 0x10);
    platform::SparseFile file(static_cast<std::int64_t>(index.size()) + 8);
    file.Place(8, std::move(index));
    EXPECT_EQ(CountKeyFrames(file, ChunkRow{"IDX1", 5, 16'000'000}, 0).keyFrames, 500'000);
    EXPECT_LT(file.reads, 1000);
}

TEST(KeyFrames, Caption) {
    EXPECT_EQ(KeyFrameCaption(1500, 12), "Frames 1500 ( 12 * Key / 1488 Delta.) Every 125");
    EXPECT_EQ(KeyFrameCaption(100, 0), "Frames 100 ( 0 * Key / 100 Delta.) Every -");
}

}  // namespace
}  // namespace brelvo::avi
