// SPDX-License-Identifier: GPL-2.0-or-later
// Which stream is the sound and where its format chunk lies: by the header lists' structure,
// with the stream number decoding found.
#include "audio/audio_track.h"

#include <gtest/gtest.h>

#include "audio/audio_error.h"
#include "avi/decode_headers.h"
#include "avi/scan_chunks.h"
#include "tests/support/memory_file.h"
#include "tests/support/test_movies.h"

namespace brelvo::testing {
namespace {

audio::AudioTrack FromDecoding(platform::RandomAccessFile& file) {
    const auto map = avi::ScanChunks(file).chunkMap;
    return audio::AudioTrackFromRecord(file, avi::DecodeHeaders(file, map));
}

TEST(AudioTrack, FormatChunkIsTheSoundStreamsOwnStrf) {
    // A JUNK chunk between the sound stream's strh and strf: the chunk after the header's
    // row is not the format.
    const Bytes format = WaveFormatData(1, 1, 8000, 8, 1);
    StrhFields sound;
    sound.fccType = "auds";
    sound.rate = 8000;
    const Bytes strl = List(
        "strl", {Chunk("strh", StrhData(sound)), Chunk("JUNK", Bytes(6)), Chunk("strf", format)});
    const Bytes video =
        List("strl", {Chunk("strh", StrhData({})), Chunk("strf", BitmapInfoData())});
    const Bytes movie = Riff("AVI ", {List("hdrl", {Chunk("avih", AvihData({})), video, strl}),
                                      List("movi", {Chunk("01wb", Pattern(10, 1))})});
    platform::MemoryFile file(movie);
    const auto track = FromDecoding(file);
    EXPECT_EQ(track.streamNumber, 1);
    EXPECT_EQ(track.formatSize, format.size());
    const auto strf = std::search(movie.begin(), movie.end(), format.begin(), format.end());
    EXPECT_EQ(track.formatDataOffset, strf - movie.begin());
    EXPECT_EQ(track.rate, 8000);
    EXPECT_EQ(audio::ReadFormatChunk(file, track).size(), 4 + format.size());
}

TEST(AudioTrack, StreamNumberFollowsTheStrlLists) {
    platform::MemoryFile first(ReadWholeFile(FixturePath("ffmpeg_audio_first.avi")));
    EXPECT_EQ(FromDecoding(first).streamNumber, 0);
    platform::MemoryFile two(ReadWholeFile(FixturePath("ffmpeg_two_audio.avi")));
    EXPECT_EQ(FromDecoding(two).streamNumber, 2);  // the last sound stream decoded
    // Asked for by its place among the sound streams, with its own time base.
    const auto map = avi::ScanChunks(two).chunkMap;
    const auto record = avi::DecodeHeaders(two, map);
    const auto firstSound = audio::AudioTrackFromRecord(two, record, 1);
    EXPECT_EQ(firstSound.streamNumber, 1);
    EXPECT_EQ(firstSound.rate, 8000);
    EXPECT_EQ(firstSound.sampleSize, 4);
    EXPECT_EQ(audio::AudioTrackFromRecord(two, record, 2).sampleSize, 1);
    EXPECT_THROW(audio::AudioTrackFromRecord(two, record, 3), audio::AudioError);
    platform::MemoryFile silent(MakeSimpleMovie({.withAudio = false}));
    EXPECT_THROW(audio::FindAudioTrack(silent), audio::AudioError);
}

}  // namespace
}  // namespace brelvo::testing
