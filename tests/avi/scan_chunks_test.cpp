// SPDX-License-Identifier: GPL-2.0-or-later
// The byte-wise chunk walk: rows of well-formed movies, and damaged files (the fuzzers try many
// more) that must end.
#include "avi/scan_chunks.h"

#include <gtest/gtest.h>

#include "tests/support/memory_file.h"
#include "tests/support/test_movies.h"

namespace brelvo::avi {
namespace {

using namespace brelvo::testing;
using Ids = std::vector<std::string>;

Ids IdsOf(const ChunkMap& map) {
    Ids ids;
    for (const auto& row : map) ids.push_back(row.id);
    return ids;
}

ChunkMap Scan(const Bytes& bytes) {
    platform::MemoryFile file(bytes);
    return ScanChunks(file).chunkMap;
}

// Mixed-case ids, an id inside INFO text, a JUNK of odd size holding ids, movi, idx1.
Bytes WellFormedMovie() {
    Bytes comment = ToBytes("see STRD");
    AppendU32(comment, 7);
    return Riff(
        "AVI ",
        {List("hdrl", {Chunk("avih", AvihData({})),
                       List("strl", {Chunk("StRh", StrhData({})), Chunk("strf", BitmapInfoData())}),
                       List("strl", {Chunk("STRH", StrhData({.fccType = "auds"})),
                                     Chunk("strf", WaveFormatData())})}),
         Chunk("junk", ToBytes("IARTxxxxx")), List("INFO", {Chunk("ICMT", comment)}),
         List("movi", {Chunk("00dc", ToBytes("IDX1 inside")), Chunk("01wb", Bytes(8))}),
         Chunk("idx1", ToBytes(std::string("00dc\x10\0\0\0AVIHxxxxxxxx", 20)))});
}

TEST(ScanChunks, WellFormedMovieGivesTheRowsInFileOrder) {
    const auto bytes = WellFormedMovie();
    const auto map = Scan(bytes);
    EXPECT_EQ(IdsOf(map), (Ids{"RIFF", "LIST", "AVIH", "LIST", "STRH", "STRF", "LIST", "STRH",
                               "STRF", "JUNK", "LIST", "ICMT", "STRD", "LIST", "MOVI", "IDX1"}));
    EXPECT_EQ(map[0], (ChunkRow{"RIFF", 5, static_cast<std::int32_t>(bytes.size() - 8)}));
    EXPECT_EQ(map[2], (ChunkRow{"AVIH", OffsetOf(bytes, "avih") + 5, 56}));
    EXPECT_EQ(map[9].size, 9);  // its pad byte is probed like any other
    EXPECT_EQ(map[12], (ChunkRow{"STRD", OffsetOf(bytes, "STRD") + 5, 7}));
    EXPECT_EQ(map[14], (ChunkRow{"MOVI", map[13].position + 8, map[13].size}));
    // Unpadded: no size is rounded up, so a LIST at an odd offset is met.
    const auto odd = Scan(Riff("AVI ", {Chunk("JUNK", ToBytes("abc"), false), List("INFO", {})}));
    EXPECT_EQ(IdsOf(odd), (Ids{"RIFF", "JUNK", "LIST"}));
    // A movie without frames: its movi list holds the list type alone, the index follows.
    const auto empty = Scan(Riff("AVI ", {List("movi", {}), Chunk("idx1", Bytes(0))}));
    EXPECT_EQ(IdsOf(empty), (Ids{"RIFF", "LIST", "MOVI", "IDX1"}));
}

TEST(ScanChunks, TruncatedFileKeepsTheLastSizeAsReadAndTheShortBackup) {
    auto bytes = WellFormedMovie();
    bytes.resize(bytes.size() - 10);
    platform::MemoryFile file(bytes);
    const auto result = ScanChunks(file);
    EXPECT_EQ(result.chunkMap.back(), (ChunkRow{"IDX1", OffsetOf(bytes, "idx1") + 5, 20}));
    EXPECT_EQ(result.headerBackup, bytes);
    bytes.resize(20000);
    platform::MemoryFile big(bytes);
    EXPECT_EQ(ScanChunks(big).headerBackup.size(), 8192u);
}

TEST(ScanChunks, MoviInsideATextIsNoListAndDoesNotSkipTheStreamData) {
    // "ark " before the "movi" of the title would otherwise be taken for a list size and send
    // the walk hundreds of megabytes into the frames.
    const auto map =
        Scan(Riff("AVI ", {List("INFO", {Chunk("INAM", ToBytes("Benchmark movie, a title"))}),
                           List("movi", {Chunk("00dc", ToBytes("STRH inside a frame"))}),
                           Chunk("idx1", Bytes(16))}));
    EXPECT_EQ(IdsOf(map), (Ids{"RIFF", "LIST", "INAM", "MOVI", "LIST", "MOVI", "IDX1"}));
    EXPECT_EQ(map[5].size, map[4].size);
}

TEST(ScanChunks, TooManyRowsFailTheLoad) {
    Bytes bytes;
    for (std::size_t k = 0; k < kMaxChunkRows; ++k) Append(bytes, Chunk("JUNK", {}));
    EXPECT_EQ(Scan(bytes).size(), kMaxChunkRows);  // one more row fails
    Append(bytes, Chunk("JUNK", {}));
    EXPECT_THROW(Scan(bytes), ScanError);
}

TEST(ScanChunks, HugeMovieCostsItsHeadersOnlyAndKeeps64BitPositions) {
    // A 3 GiB movie whose second RIFF holds the index, far past 2 GiB.
    const auto head = WellFormedMovie();
    const auto moviList = OffsetOf(head, "movi") - 8;
    Bytes header(head.begin(), head.begin() + moviList);
    Append(header, ChunkWithSize("LIST", 0x7FFFFF00, ToBytes("movi")));
    const std::int64_t after = moviList + 8 + 0x7FFFFF00;
    const Bytes tail = Riff(
        "AVIX", {List("movi", {Chunk("00dc", Bytes(16))}), ChunkWithSize("idx1", 1 << 30, {})});
    platform::SparseFile file(after + static_cast<std::int64_t>(tail.size()) + (1 << 30));
    file.Place(0, header);
    file.Place(after, tail);
    const auto map = ScanChunks(file).chunkMap;
    EXPECT_EQ(map.back(), (ChunkRow{"IDX1", after + OffsetOf(tail, "idx1") + 5, 1 << 30}));
    EXPECT_LT(file.bytesRead, 1 << 20);
}

}  // namespace
}  // namespace brelvo::avi
