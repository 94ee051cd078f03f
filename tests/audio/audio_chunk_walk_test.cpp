// SPDX-License-Identifier: GPL-2.0-or-later
// The structured audio chunk walk: which chunks count as the sound track, and how damaged
// movies end.
#include "audio/audio_chunk_walk.h"

#include <gtest/gtest.h>

#include "platform/little_endian.h"
#include "tests/support/memory_file.h"
#include "tests/support/test_movies.h"

namespace brelvo::testing {
namespace {

struct Walked {
    Bytes payload;
    audio::WalkStats stats;
};

Walked Walk(const Bytes& movie, int stream = 1, std::size_t headerBlock = 4096) {
    platform::MemoryFile file(movie);
    audio::AudioChunkWalk walk(file, stream, headerBlock);
    Walked out;
    while (const auto chunk = walk.Next()) {
        const auto at = movie.begin() + static_cast<std::ptrdiff_t>(chunk->payloadOffset);
        out.payload.insert(out.payload.end(), at,
                           at + static_cast<std::ptrdiff_t>(chunk->available));
    }
    out.stats = walk.Stats();
    return out;
}

// A video movie with sound as stream 1, and the given movi lists.
Bytes Movie(const std::vector<std::vector<Bytes>>& movis) {
    return MakeMovie({.movis = movis});
}

Bytes Joined(const std::vector<Bytes>& parts) {
    Bytes all;
    for (const auto& p : parts) Append(all, p);
    return all;
}

TEST(AudioChunkWalk, TakesOnlyTheSoundStreamsOwnChunksByStructure) {
    const Bytes a = Pattern(33, 1), b = Pattern(35, 2), other = Pattern(10, 3), d = Pattern(32, 4);
    Bytes frame = ToBytes("xx01wb");  // a frame whose bytes spell an audio chunk header
    AppendU32(frame, 4);
    AppendText(frame, "FAKE-and-more");
    const struct {
        const char* what;
        std::vector<std::vector<Bytes>> movis;
        Bytes expected;
    } cases[] = {
        {"other streams, an empty chunk and an index naming 01wb",
         {{Chunk("00dc", frame), Chunk("01wb", a), Chunk("02wb", other),
           Chunk("00dc", Pattern(99, 4)), Chunk("01wb", b), Chunk("01wb", {}),
           Chunk("ix01", ToBytes("01wb\x08"))}},
         Joined({a, b})},
        {"rec lists and every RIFF part",
         {{List("rec ", {Chunk("00dc", Pattern(40, 5)), Chunk("01wb", a)}), Chunk("01wb", b)},
          {Chunk("00dc", Pattern(41, 6)), Chunk("01wb", other)},
          {List("rec ", {Chunk("01wb", d)})}},
         Joined({a, b, other, d})},
        {"pad bytes left out",
         {{Chunk("00dc", Pattern(21, 3), false), Chunk("01wb", a, false),
           Chunk("00dc", Pattern(7, 4), false), Chunk("01wb", b, false),
           Chunk("01wb", Pattern(40, 5))}},
         Joined({a, b, Pattern(40, 5)})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto movie = Movie(c.movis);
        const auto walked = Walk(movie);
        EXPECT_EQ(walked.payload, c.expected);
        EXPECT_EQ(walked.stats.resyncs, 0);
        // Where the header blocks end changes nothing.
        for (std::size_t block = 16; block < 48; ++block)
            EXPECT_EQ(Walk(movie, 1, block).payload, c.expected) << "block " << block;
    }
    const auto first = Movie(cases[0].movis);
    EXPECT_EQ(Walk(first).stats.chunks, 3);
    EXPECT_EQ(Walk(first, 2).payload, other);
    EXPECT_TRUE(Walk(first, 0).payload.empty());
}

TEST(AudioChunkWalk, DamagedMoviesEndCleanlyAndKeepWhatIsSound) {
    const Bytes a = Pattern(40, 1), b = Pattern(41, 2);
    const Bytes good = Chunk("01wb", a), after = Chunk("01wb", b);
    const Bytes expected = Joined({a, b});

    Bytes garbage(13, std::byte{0xEE});
    AppendText(garbage, "GARBAGE TEXT");
    const auto withGarbage = Walk(Movie({{good, garbage, after}}));
    EXPECT_EQ(withGarbage.payload, expected);
    EXPECT_GE(withGarbage.stats.resyncs, 1);

    // Container sizes of 0x7FFFFFFF and 0: the file's end bounds the walk.
    for (const std::uint32_t containerSize : {0x7FFFFFFFu, 0u}) {
        Bytes movie = Movie({{good, after}});
        platform::WriteU32(movie, 4, containerSize);
        EXPECT_EQ(Walk(movie).payload, expected) << containerSize;
    }

    // Cut short inside the last audio chunk: what the file holds is taken.
    Bytes movie = Movie({{good, after}});
    movie.resize(movie.size() - 8 /* idx1 */ - 1 /* pad */ - 30);
    const auto cut = Walk(movie);
    EXPECT_EQ(cut.stats.cutShort, 1);
    EXPECT_EQ(cut.payload, Bytes(expected.begin(), expected.end() - 30));
}

}  // namespace
}  // namespace brelvo::testing
