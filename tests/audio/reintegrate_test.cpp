// SPDX-License-Identifier: GPL-2.0-or-later
// Re-integration: which WAV bytes land where, "Jink Audio", and the refusals that keep a
// movie's sound track from being overwritten by nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "audio/audio_chunk_survey.h"
#include "audio/audio_chunk_walk.h"
#include "audio/audio_error.h"
#include "audio/reintegrate_audio.h"
#include "audio/wav_check.h"
#include "platform/fault_injection.h"
#include "tests/audio/audio_movies.h"

namespace brelvo::testing {
namespace {

// A movie with 20000 sound bytes at 16000 bytes per second, a frame that holds "01wb", and
// a WAV file of the given samples.
struct SoundMovie {
    Bytes frame = ToBytes("..01wb\x10\x00\x00\x00 inside a frame");
    std::string moviePath;
    Bytes movie;
    audio::AudioTrack track;

    SoundMovie() {
        auto streams = VideoAndSound();
        streams[1].scale = 1;
        movie = MovieOf(streams, {{Chunk("01wb", Bytes(6000, std::byte{1})), Chunk("00dc", frame),
                                   Chunk("01wb", Bytes(13999, std::byte{2})),
                                   Chunk("01wb", Bytes(1, std::byte{3}))}});
        moviePath = WriteTempFile(movie);
        auto file = platform::OpenFile(moviePath, platform::OpenMode::Read);
        track = audio::FindAudioTrack(*file);
    }
    // The sound bytes the movie now holds, in order.
    Bytes Sound() const {
        const Bytes now = ReadWholeFile(moviePath);
        EXPECT_EQ(now.size(), movie.size());
        auto file = MemoryOf(now);
        Bytes out;
        audio::AudioChunkWalk walk(file, 1);
        while (const auto c = walk.Next()) {
            const auto at = now.begin() + static_cast<std::ptrdiff_t>(c->payloadOffset);
            out.insert(out.end(), at, at + static_cast<std::ptrdiff_t>(c->available));
        }
        return out;
    }
    std::string Wav(const Bytes& samples, std::string_view before = "") const {
        Bytes body = ToBytes("WAVE");
        Append(body, ToBytes(before));
        Append(body, Chunk("fmt ", WaveFormatData(1, 2, 4000, 16)));
        Append(body, Chunk("data", samples));
        Bytes wav = ToBytes("RIFF");
        AppendU32(wav, static_cast<std::uint32_t>(body.size()));
        Append(wav, body);
        return WriteTempFile(wav, "in.wav");
    }
};

Bytes Slice(const Bytes& b, std::size_t from, std::size_t count) {
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from),
                 b.begin() + static_cast<std::ptrdiff_t>(from + count));
}

TEST(Reintegration, JinkDropsSecondsTimesRateOverScaleAndZeroFillsTheEnd) {
    const Bytes samples = Pattern(20000, 9);
    for (const std::optional<double> jink :
         {std::optional<double>{}, std::optional<double>{0.0}, std::optional<double>{-1.0},
          std::optional<double>{0.5}, std::optional<double>{0.50005}}) {  // 8001: whole blocks
        SoundMovie s;
        const auto result =
            audio::ReintegrateAudio(s.moviePath, s.track, s.Wav(samples), {jink, {}});
        const std::size_t skip = jink && *jink > 0 ? 8000 : 0;
        EXPECT_EQ(result.skippedBytes, static_cast<std::int64_t>(skip));
        Bytes expected = Slice(samples, skip, 20000 - skip);
        expected.resize(20000, std::byte{0});
        EXPECT_EQ(s.Sound(), expected);
        EXPECT_EQ(result.zeroFilled, static_cast<std::int64_t>(skip));
        EXPECT_NE(ReadWholeFile(s.moviePath), s.movie);
        const Bytes now = ReadWholeFile(s.moviePath);
        EXPECT_TRUE(std::search(now.begin(), now.end(), s.frame.begin(), s.frame.end()) !=
                    now.end());
    }
    EXPECT_EQ(audio::JinkSkipBytes(0.5, 16000, 1), 8000);
    EXPECT_EQ(audio::JinkSkipBytes(2.5, 1, 1), 2);  // halves to even
    EXPECT_EQ(audio::JinkSkipBytes(3.5, 1, 1), 4);
    EXPECT_EQ(audio::JinkSkipBytes(1.0, 16000, 0), 0);
    EXPECT_EQ(audio::JinkSkipBytes(1e300, 16000, 1), std::int64_t{4'000'000'000'000'000'000});
}

TEST(Reintegration, ShortAndLongWavFilesAndDataFoundByStructure) {
    SoundMovie s;
    const Bytes samples = Pattern(7000, 4);
    // A LIST INFO text holding the letters "data" comes before the real data chunk.
    const Bytes info = List("INFO", {Chunk("ICMT", ToBytes("the data here is not it"))});
    auto result = audio::ReintegrateAudio(
        s.moviePath, s.track,
        s.Wav(samples, std::string_view(reinterpret_cast<const char*>(info.data()), info.size())));
    Bytes expected = samples;
    expected.resize(20000, std::byte{0});
    EXPECT_EQ(s.Sound(), expected);
    EXPECT_EQ(result.samplesUsed, 7000);
    EXPECT_EQ(result.zeroFilled, 13000);

    const Bytes longer = Pattern(25000, 5);
    result = audio::ReintegrateAudio(s.moviePath, s.track, s.Wav(longer));
    EXPECT_EQ(s.Sound(), Slice(longer, 0, 20000));
    EXPECT_EQ(result.samplesUsed, 20000);

    // Not RIFF WAVE: the first "data" in any case, samples 8 bytes behind it.
    Bytes raw = ToBytes("headerDaTa\x01\x02\x03\x04");
    Append(raw, samples);
    audio::ReintegrateAudio(s.moviePath, s.track, WriteTempFile(raw, "raw.wav"));
    EXPECT_EQ(s.Sound(), expected);
}

TEST(Reintegration, RefusesAMissingWavOrOneWithoutSamplesAndWritesNothing) {
    SoundMovie s;
    const auto missing = (std::filesystem::path(s.moviePath).parent_path() / "none.wav").string();
    EXPECT_THROW(audio::ReintegrateAudio(s.moviePath, s.track, missing), audio::AudioError);
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_THROW(audio::CompareWavWithMovie(s.moviePath, s.track, missing), audio::AudioError);

    Bytes noData = ToBytes("RIFF");
    AppendU32(noData, 4 + 24);
    AppendText(noData, "WAVE");
    Append(noData, Chunk("fmt ", WaveFormatData()));
    EXPECT_THROW(audio::ReintegrateAudio(s.moviePath, s.track, WriteTempFile(noData, "x.wav")),
                 audio::AudioError);
    EXPECT_THROW(
        audio::ReintegrateAudio(s.moviePath, s.track, WriteTempFile(ToBytes("nothing"), "y.wav")),
        audio::AudioError);
    EXPECT_EQ(ReadWholeFile(s.moviePath), s.movie);
}

TEST(Reintegration, WritesOnlyWithinACutShortMovie) {
    SoundMovie s;
    Bytes cut = s.movie;
    cut.resize(cut.size() - 8 - 10 - 1 - 5000);  // idx1, the last chunk, a pad, 5000 bytes
    auto movie = MemoryOf(cut);                  // throws on any write past its end
    auto wav = MemoryOf(Bytes(1000, std::byte{7}));
    const auto result = audio::WriteSamples(movie, s.track, wav, {false, {}, 0, 1000});
    EXPECT_EQ(result.bytesWritten, 6000 + 13999 - 5000);
    EXPECT_EQ(movie.Bytes().size(), cut.size());
}

// What the movie's sound already holds: 6000 x 1, 13999 x 2, 1 x 3.
Bytes HeldSound() {
    Bytes sound(6000, std::byte{1});
    sound.resize(19999, std::byte{2});
    sound.push_back(std::byte{3});
    return sound;
}

TEST(Reintegration, WritesOnlyTheBytesThatDiffer) {
    SoundMovie s;
    {
        platform::ScopedFaultInjection counting;  // counts the writes that reach a file
        const auto result = audio::ReintegrateAudio(s.moviePath, s.track, s.Wav(HeldSound()));
        EXPECT_EQ(result.bytesWritten, 20000);
        EXPECT_EQ(result.bytesChanged, 0);
        EXPECT_TRUE(counting.Plan().JournalOf(s.moviePath).empty()) << "the same bytes rewritten";
    }
    EXPECT_EQ(ReadWholeFile(s.moviePath), s.movie);

    // Two bytes three apart in the first chunk, one just behind a block edge, one in the
    // second chunk and the last byte of the third.
    Bytes edited = HeldSound();
    edited[10] = std::byte{9};
    edited[13] = std::byte{9};
    edited[102] = std::byte{9};
    edited[6000 + 50] = std::byte{9};
    edited[19999] = std::byte{4};
    platform::ScopedFaultInjection counting;
    audio::ReintegrationOptions options;
    options.tuning.copyBlock = 102;
    const auto result = audio::ReintegrateAudio(s.moviePath, s.track, s.Wav(edited), options);
    EXPECT_EQ(s.Sound(), edited);
    EXPECT_EQ(result.bytesChanged, 4 + 1 + 1 + 1);  // [10, 13], then single bytes
    EXPECT_EQ(counting.Plan().JournalOf(s.moviePath).size(), 4u);
}

TEST(Reintegration, GoesOnFromTheCheckWalkAndDistrustsAStaleOne) {
    const Bytes samples = Pattern(20000, 6);
    for (const std::size_t kept : {std::size_t{0}, std::size_t{1}, audio::kMaxSurveyedChunks}) {
        SoundMovie s;
        auto file = platform::OpenFile(s.moviePath, platform::OpenMode::Read);
        const auto survey = audio::SurveyAudioChunks(*file, 1, std::nullopt, {}, kept);
        EXPECT_EQ(survey.sampleBytes, 20000);
        EXPECT_EQ(survey.Complete(), kept > 3);
        const auto result = audio::ReintegrateAudio(s.moviePath, s.track, s.Wav(samples),
                                                    {std::nullopt, {}, &survey});
        EXPECT_EQ(s.Sound(), samples) << kept << " chunks kept";
        EXPECT_EQ(result.chunks, 3);
    }
    // A survey of a file of another length (the movie was replaced): walked afresh, and the
    // bogus position it names is never written.
    SoundMovie s;
    audio::AudioChunkSurvey stale;
    stale.streamNumber = 1;
    stale.fileLength = static_cast<std::int64_t>(s.movie.size()) + 1;
    stale.first.push_back({20, 4, 4});
    stale.stats.chunks = 1;
    audio::ReintegrateAudio(s.moviePath, s.track, s.Wav(samples), {std::nullopt, {}, &stale});
    EXPECT_EQ(s.Sound(), samples);
    EXPECT_TRUE(
        std::equal(s.movie.begin(), s.movie.begin() + 40, ReadWholeFile(s.moviePath).begin()));
}

TEST(Reintegration, StepsOverTheLeadingChunksTheCheckFoundUnchanged) {
    Bytes edited = HeldSound();
    edited[6000 + 50] = std::byte{9};  // in the second chunk
    for (const bool unchanged : {true, false}) {
        SoundMovie s;
        const std::string wav = s.Wav(unchanged ? HeldSound() : edited);
        const auto check = audio::CompareWavWithMovie(s.moviePath, s.track, wav);
        EXPECT_EQ(check.movieChunks.matchingChunks, unchanged ? 3 : 1);
        EXPECT_EQ(check.movieChunks.matchingBytes, unchanged ? 20000 : 6000);

        platform::FaultPlan plan;
        plan.Watching([&](const std::string& path) { return path == s.moviePath; });
        platform::ScopedFaultInjection counting(std::move(plan));
        const auto result = audio::ReintegrateAudio(s.moviePath, s.track, wav,
                                                    {std::nullopt, {}, &check.movieChunks});
        EXPECT_EQ(s.Sound(), unchanged ? HeldSound() : edited);
        EXPECT_EQ(result.bytesWritten, 20000);
        EXPECT_EQ(result.bytesChanged, unchanged ? 0 : 1);
        EXPECT_EQ(result.samplesUsed, 20000);
        if (unchanged) {
            EXPECT_EQ(counting.Plan().Count(platform::FaultKind::Read), 0) << "read again";
        }
    }
    // "Jink Audio" moves the samples: what the check compared says nothing about them.
    SoundMovie s;
    const std::string wav = s.Wav(HeldSound());
    const auto check = audio::CompareWavWithMovie(s.moviePath, s.track, wav);
    const auto result =
        audio::ReintegrateAudio(s.moviePath, s.track, wav, {0.25, {}, &check.movieChunks});
    Bytes expected = Slice(HeldSound(), 4000, 16000);
    expected.resize(20000, std::byte{0});
    EXPECT_EQ(s.Sound(), expected);
    EXPECT_EQ(result.zeroFilled, 4000);
}

TEST(WavCheck, SaysWhatDiffersInOneSentence) {
    SoundMovie s;
    auto c = audio::CompareWavWithMovie(s.moviePath, s.track, s.Wav(Pattern(20000, 1)));
    EXPECT_FALSE(c.formatDiffers);
    EXPECT_EQ(c.movieBytes, 20000);
    EXPECT_EQ(audio::MismatchQuestion(c), std::nullopt);

    c = audio::CompareWavWithMovie(s.moviePath, s.track, s.Wav(Pattern(12000, 1)));
    EXPECT_EQ(audio::MismatchQuestion(c),
              "The WAV file does not match the movie's sound track: it holds 8000 sample bytes "
              "fewer than the movie's audio chunks, whose rest would be filled with zero bytes; "
              "writing it back cannot be undone.");
    c.formatDiffers = true;
    c.wavBytes = 20001;
    EXPECT_EQ(audio::MismatchQuestion(c),
              "The WAV file does not match the movie's sound track: its format chunk differs from "
              "the movie's sound format and it holds 1 sample bytes more than the movie's audio "
              "chunks, which would be left out; writing it back cannot be undone.");
}

}  // namespace
}  // namespace brelvo::testing
