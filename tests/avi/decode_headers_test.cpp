// SPDX-License-Identifier: GPL-2.0-or-later
// Header decoding: values as stored, the offsets every later patch uses, and damaged headers.
#include "avi/decode_headers.h"

#include <gtest/gtest.h>

#include "tests/support/decoded_movie.h"
#include "tests/support/test_movies.h"

namespace brelvo::avi {
namespace {

using namespace brelvo::testing;

HeaderRecord Decode(const Bytes& bytes) {
    return DecodedMovie(bytes).record;
}

// (That every offset names its field's bytes is shown on the real movies by the command line's
// tests and by every edit's byte-exact test.)
TEST(DecodeHeaders, ValuesAsStoredAndFieldsOnlyWhole) {
    const auto bytes = MakeSimpleMovie({.frames = 7});
    const auto r = Decode(bytes);
    const auto strh = OffsetOf(bytes, "strh") + 8;
    EXPECT_EQ(r.videoScale, 1);  // as stored: decoding never normalises
    EXPECT_EQ(r.streams[0].rateField, (FieldRef{"strh[0].dwRate", strh + 24, 4}));
    EXPECT_NE(r.FieldAt(strh + 24, 4), nullptr);
    EXPECT_EQ(r.FieldAt(strh + 24, 2), nullptr);
}

TEST(DecodeHeaders, VideoFormatComesFromTheStrfAfterTheStreamHeader) {
    Bytes longStrh = StrhData({});
    Append(longStrh, Bytes(8));  // a 64-byte strh, after an audio stream: video is stream 1
    const auto bytes =
        Riff("AVI ", {Chunk("strh", StrhData({.fccType = "auds"})), Chunk("strf", WaveFormatData()),
                      Chunk("strh", longStrh), Chunk("strf", BitmapInfoData("XVID", 12))});
    const auto r = Decode(bytes);
    EXPECT_EQ(r.VideoStream()->index, 1);
    EXPECT_EQ(r.VideoStream()->video->bitCount, 12);
    EXPECT_EQ(r.videoCompressionOffset, OffsetOf(bytes, "XVID"));
}

TEST(DecodeHeaders, MissingOrTooSmallFormatsAreUnknown) {
    // A strf too small to hold biCompression would send a patch into the next chunk.
    const auto r = Decode(
        Riff("AVI ", {Chunk("strh", StrhData({})), Chunk("strf", Bytes(12)),
                      Chunk("JUNK", Bytes(40)), Chunk("strh", StrhData({.fccType = "auds"}))}));
    EXPECT_FALSE(r.VideoStream()->video.has_value());
    EXPECT_EQ(r.videoCompressionOffset, 0);
    EXPECT_FALSE(r.AudioStream()->audio.has_value());
}

TEST(DecodeHeaders, HeadersCutShortFailTheLoad) {
    const auto movie = MakeSimpleMovie({});
    for (const auto* id : {"avih", "strh", "strf"}) {
        const auto cut = OffsetOf(movie, id) + 20;
        EXPECT_THROW(Decode(Bytes(movie.begin(), movie.begin() + cut)), DecodeError) << id;
    }
    EXPECT_NO_THROW(Decode(ToBytes(std::string("strh\x08\0\0\0txts", 12))));  // type only
    // A text size of 2 GiB is read up to the end of the file only.
    EXPECT_EQ(Decode(ChunkWithSize("ICMT", 0x7FFFFFF0, ToBytes("short"))).textItems[0].bytes,
              "short");
}

}  // namespace
}  // namespace brelvo::avi
