// SPDX-License-Identifier: GPL-2.0-or-later
// The structured audio chunk walk: which chunks count as the sound track, and how damaged
// movies end.
#include "audio/audio_chunk_walk.h"

#include <gtest/gtest.h>

#include "platform/little_endian.h"
#include "tests/audio/audio_movies.h"

namespace brelvo::testing {
namespace {

struct Walked {
    Bytes payload;
    audio::WalkStats stats;
};

Walked Walk(const Bytes& movie, int stream, std::size_t headerBlock = 4096) {
    auto file = MemoryOf(movie);
    audio::AudioChunkWalk walk(file, stream, headerBlock);
    Walked out;
    while (const auto chunk = walk.Next()) {
        const auto at = static_cast<std::size_t>(chunk->payloadOffset);
        out.payload.insert(out.payload.end(), movie.begin() + static_cast<std::ptrdiff_t>(at),
                           movie.begin() + static_cast<std::ptrdiff_t>(at + chunk->available));
    }
    out.stats = walk.Stats();
    return out;
}

// A video frame whose bytes spell an audio chunk header with a plausible size.
Bytes FrameHoldingAudioId() {
    Bytes frame = ToBytes("xx01wb");
    AppendU32(frame, 4);
    AppendText(frame, "FAKE-and-more");
    return frame;
}

TEST(AudioChunkWalk, TakesOnlyTheSoundStreamsOwnChunksByStructure) {
    const Bytes a = Pattern(64, 1), b = Pattern(63, 2), c = Pattern(10, 3);
    const Bytes movie = MovieOf(
        VideoAndSound(), {{Chunk("00dc", FrameHoldingAudioId()), Chunk("01wb", a), Chunk("02wb", c),
                           Chunk("00dc", Pattern(99, 4)), Chunk("01wb", b), Chunk("01wb", {}),
                           Chunk("ix01", ToBytes("01wb\x08"))}});
    Bytes expected = a;
    Append(expected, b);
    const auto walked = Walk(movie, 1);
    EXPECT_EQ(walked.payload, expected);
    EXPECT_EQ(walked.stats.chunks, 3);
    EXPECT_EQ(walked.stats.resyncs, 0);
    EXPECT_EQ(Walk(movie, 2).payload, c);
    EXPECT_TRUE(Walk(movie, 0).payload.empty());

    // The usual movie with an idx1 naming "01wb" in every entry.
    const auto simple = Walk(MakeSimpleMovie({}), 1);
    EXPECT_EQ(simple.stats.chunks, 5);
    EXPECT_EQ(simple.payload.size(), 5u * 64);
}

TEST(AudioChunkWalk, DescendsIntoRecListsAndEveryRiffPart) {
    const Bytes a = Pattern(30, 1), b = Pattern(31, 2), c = Pattern(32, 3), d = Pattern(33, 4);
    const Bytes movie = MovieOf(
        VideoAndSound(),
        {{List("rec ", {Chunk("00dc", Pattern(40, 5)), Chunk("01wb", a)}), Chunk("01wb", b)},
         {Chunk("00dc", Pattern(41, 6)), Chunk("01wb", c)},
         {List("rec ", {Chunk("01wb", d)})}});
    Bytes expected = a;
    for (const auto* more : {&b, &c, &d}) Append(expected, *more);
    EXPECT_EQ(Walk(movie, 1).payload, expected);
}

TEST(AudioChunkWalk, ToleratesWritersThatLeaveOutPadBytes) {
    const Bytes a = Pattern(33, 1), b = Pattern(35, 2);
    const Bytes movie =
        MovieOf(VideoAndSound(), {{Chunk("00dc", Pattern(21, 3), false), Chunk("01wb", a, false),
                                   Chunk("00dc", Pattern(7, 4), false), Chunk("01wb", b, false)}});
    Bytes expected = a;
    Append(expected, b);
    const auto walked = Walk(movie, 1);
    EXPECT_EQ(walked.payload, expected);
    EXPECT_EQ(walked.stats.resyncs, 0);
}

TEST(AudioChunkWalk, HeaderBlockEdgesChangeNothing) {
    const Bytes movie =
        MovieOf(VideoAndSound(), {{Chunk("00dc", Pattern(17, 1)), Chunk("01wb", Pattern(23, 2)),
                                   Chunk("00dc", Pattern(5, 3), false),
                                   Chunk("01wb", Pattern(9, 4)), Chunk("01wb", Pattern(40, 5))}});
    const auto reference = Walk(movie, 1);
    for (std::size_t block = 16; block < 48; ++block) {
        EXPECT_EQ(Walk(movie, 1, block).payload, reference.payload) << "block " << block;
    }
}

TEST(AudioChunkWalk, DamagedMoviesEndCleanlyAndKeepWhatIsSound) {
    const Bytes a = Pattern(40, 1), b = Pattern(41, 2);
    const Bytes good = Chunk("01wb", a), after = Chunk("01wb", b);
    Bytes expected = a;
    Append(expected, b);

    Bytes garbage(13, std::byte{0xEE});
    AppendText(garbage, "GARBAGE TEXT");
    const auto withGarbage = Walk(MovieOf(VideoAndSound(), {{good, garbage, after}}), 1);
    EXPECT_EQ(withGarbage.payload, expected);
    EXPECT_GE(withGarbage.stats.resyncs, 1);

    const Bytes hugeFrame = ChunkWithSize("00dc", 0x7FFFFFFF, Pattern(20, 3));
    EXPECT_EQ(Walk(MovieOf(VideoAndSound(), {{good, hugeFrame, after}}), 1).payload, expected);

    // Container sizes of 0x7FFFFFFF and 0: the file's end bounds the walk.
    for (const std::uint32_t containerSize : {0x7FFFFFFFu, 0u}) {
        Bytes movie = MovieOf(VideoAndSound(), {{good, after}});
        platform::WriteU32(movie, 4, containerSize);
        EXPECT_EQ(Walk(movie, 1).payload, expected) << containerSize;
    }

    // Cut short inside the last audio chunk: what the file holds is taken.
    Bytes movie = MovieOf(VideoAndSound(), {{good, after}});
    movie.resize(movie.size() - 8 /* idx1 */ - 1 /* pad */ - 30);
    const auto cut = Walk(movie, 1);
    EXPECT_EQ(cut.stats.cutShort, 1);
    EXPECT_EQ(cut.payload, Bytes(expected.begin(), expected.end() - 30));
}

}  // namespace
}  // namespace brelvo::testing
