// SPDX-License-Identifier: GPL-2.0-or-later
// The load-time writes: only the intended bytes change, and the file never changes length.
#include "avi/normalise_on_load.h"

#include <gtest/gtest.h>

#include "tests/support/decoded_movie.h"
#include "tests/support/test_movies.h"

namespace brelvo::avi {
namespace {

using namespace brelvo::testing;

Bytes VideoMovie(const std::vector<StrhFields>& videos, const std::vector<Bytes>& more = {}) {
    std::vector<Bytes> parts;
    for (const auto& v : videos) parts.push_back(List("strl", {Chunk("strh", StrhData(v))}));
    parts.insert(parts.end(), more.begin(), more.end());
    return Riff("AVI ", parts);
}

Bytes AfterLoading(const Bytes& bytes) {
    return DecodedMovie(bytes, true).file.Bytes();
}

TEST(NormaliseOnLoad, RescalesEachVideoStreamByItsOwnFactorRoundingDown) {
    const auto bytes = VideoMovie({{.scale = 1, .rate = 25},
                                   {.scale = 1001, .rate = 30000},
                                   {.scale = 10000, .rate = 300000},
                                   {.scale = 15, .rate = 195}});  // exactly 130000, not 129999
    const DecodedMovie l(bytes, true);
    Bytes expected = bytes;
    const std::int32_t rates[] = {250000, 299700, 300000, 130000};
    for (std::size_t k = 0; k < 4; ++k) {
        const auto& s = l.record.streams[k];
        platform::WriteI32(expected, static_cast<std::size_t>(s.scaleField.offset), 10000);
        platform::WriteI32(expected, static_cast<std::size_t>(s.rateField.offset), rates[k]);
        EXPECT_EQ(s.header.rate, rates[k]);
    }
    EXPECT_EQ(l.file.Bytes(), expected);
    EXPECT_DOUBLE_EQ(l.record.framesPerSec, 13.0);
    EXPECT_DOUBLE_EQ(l.record.rateFactor, 10000.0 / 15);
}

TEST(NormaliseOnLoad, UnusableScalesAndRatesLeaveTheFileAsItWas) {
    for (const std::uint32_t scale : {0u, 0xFFFFFFFCu}) {
        const auto bytes = VideoMovie({{.scale = scale}});
        EXPECT_EQ(AfterLoading(bytes), bytes);
    }
    // A rescaled rate beyond 32 bits fails the load before anything is written.
    const auto bytes = VideoMovie({{.scale = 1, .rate = 300000}, {.scale = 1, .rate = 25}},
                                  {Chunk("JUNK", ToBytes("ab"))});
    DecodedMovie m(bytes);
    EXPECT_THROW(NormaliseOnLoad(m.file, m.chunkMap, m.record), DecodeError);
    EXPECT_EQ(m.file.Bytes(), bytes);
}

TEST(NormaliseOnLoad, BlanksOnlyJunkChunksAtChunkBoundaries) {
    Bytes comment = ToBytes("see JUNK");
    AppendU32(comment, 4);
    AppendText(comment, "data");
    const Bytes big(70000, std::byte{'x'});  // blanked in several blocks
    const auto bytes = Riff(
        "AVI ", {Chunk("JUNK", ToBytes("abc")),
                 List("INFO", {Chunk("ICMT", comment), Chunk("JUNK", ToBytes("in INFO"))}),
                 Chunk("JUNK", big), ChunkWithSize("JUNK", 0x7FFFFFFF, ToBytes("past the end"))});
    Bytes expected = bytes;
    for (const auto& [text, length] : {std::pair<std::string, std::size_t>{"abc", 3},
                                       {"in INFO", 7},
                                       {std::string(9, 'x'), big.size()}}) {
        std::fill_n(expected.begin() + OffsetOf(bytes, text), length, std::byte{' '});
    }
    EXPECT_EQ(AfterLoading(bytes), expected);
}

}  // namespace
}  // namespace brelvo::avi
