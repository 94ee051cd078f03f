// SPDX-License-Identifier: GPL-2.0-or-later
// Re-integration: which WAV bytes land where, "Jink Audio", the refusals that keep a movie's
// sound track from being overwritten by nothing, and the check that asks before a mismatch.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "audio/audio_chunk_survey.h"
#include "audio/audio_chunk_walk.h"
#include "audio/audio_error.h"
#include "audio/format_comparison.h"
#include "audio/reintegrate_audio.h"
#include "audio/wav_file.h"
#include "avi/decode_headers.h"
#include "avi/scan_chunks.h"
#include "tests/support/fault_injection.h"
#include "tests/support/memory_file.h"
#include "tests/support/test_movies.h"

namespace brelvo::testing {
namespace {

Bytes Wav(const Bytes& samples, const Bytes& before = {}) {
    return WavFile(WaveFormatData(1, 2, 4000, 16), samples, before);
}

Bytes Slice(const Bytes& b, std::size_t from, std::size_t count) {
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from),
                 b.begin() + static_cast<std::ptrdiff_t>(from + count));
}

// What the movie's sound holds: 6000 x 1, 13999 x 2, 1 x 3.
Bytes HeldSound() {
    Bytes sound(20000, std::byte{2});
    std::fill_n(sound.begin(), 6000, std::byte{1});
    sound.back() = std::byte{3};
    return sound;
}

// The bytes, then zero bytes up to the 20000 the sound holds.
Bytes ZeroFilled(Bytes bytes) {
    bytes.resize(20000, std::byte{0});
    return bytes;
}

// A movie with those 20000 sound bytes in units of one byte at 16000 a second, and a frame
// that holds "01wb".
struct SoundMovie {
    Bytes frame = ToBytes("..01wb\x10");
    Bytes movie;
    std::string moviePath;
    audio::AudioTrack track;

    SoundMovie() {
        auto sound = SoundStream();
        sound.strh.scale = sound.strh.sampleSize = 1;
        movie =
            MakeMovie({.streams = {VideoStream(), sound},
                       .movis = {{Chunk("01wb", Slice(HeldSound(), 0, 6000)), Chunk("00dc", frame),
                                  Chunk("01wb", Slice(HeldSound(), 6000, 13999)),
                                  Chunk("01wb", Slice(HeldSound(), 19999, 1))}}});
        moviePath = WriteTempFile(movie);
        track = audio::FindAudioTrack(*platform::OpenFile(moviePath, platform::OpenMode::Read));
    }
    // The sound bytes the movie now holds, in order.
    Bytes Sound() const {
        const Bytes now = ReadWholeFile(moviePath);
        EXPECT_EQ(now.size(), movie.size());
        EXPECT_NE(OffsetOf(now, "..01wb\x10"), -1) << "the frame was written";
        platform::MemoryFile file(now);
        Bytes out;
        audio::AudioChunkWalk walk(file, 1);
        while (const auto c = walk.Next())
            Append(out, Slice(now, static_cast<std::size_t>(c->payloadOffset), c->available));
        return out;
    }
    std::string WavPath(const Bytes& samples, const Bytes& before = {}) const {
        return WriteTempFile(Wav(samples, before), "in.wav");
    }
};

TEST(Reintegration, JinkDropsTheStreamsUnitsAndZeroFillsTheEnd) {
    // The movie's chunks hold 6000, 13999 and 1 bytes; the WAV's blocks are 4 bytes.
    const Bytes samples = Pattern(20000, 9);
    const struct {
        std::optional<double> seconds;
        std::int32_t rate, scale, sampleSize;
        std::int64_t units, bytes;
    } cases[] = {
        {0.5, 16000, 1, 1, 8000, 8000},      // units of one byte
        {0.50005, 16000, 1, 1, 8001, 8000},  // whole blocks of the WAV file
        {0.5, 4000, 1, 4, 2000, 8000},       // 16-bit stereo: sample frames
        {0.5, 3, 1, 0, 2, 19999},            // one unit a chunk: 1.5 to even, two chunks
        {1.0, 16000, 0, 1, 0, 0},            // no time base
        {1e300, 16000, 1, 1, 4'000'000'000'000'000'000, 4'000'000'000'000'000'000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds.value_or(-99));
        SoundMovie s;
        s.track.rate = c.rate;
        s.track.scale = c.scale;
        s.track.sampleSize = c.sampleSize;
        const auto result =
            audio::ReintegrateAudio(s.moviePath, s.track, s.WavPath(samples), {c.seconds, {}});
        EXPECT_EQ(result.jink ? result.jink->units : 0, c.units);
        EXPECT_EQ(result.skippedBytes, c.bytes);
        const auto skip = static_cast<std::size_t>(std::min<std::int64_t>(c.bytes, 20000));
        EXPECT_EQ(s.Sound(), ZeroFilled(Slice(samples, skip, 20000 - skip)));
    }
}

TEST(Reintegration, ShortAndLongWavFilesAndDataFoundByStructure) {
    SoundMovie s;
    const Bytes samples = Pattern(7000, 4);
    // A LIST INFO text holding the letters "data" comes before the real data chunk.
    auto result = audio::ReintegrateAudio(
        s.moviePath, s.track,
        s.WavPath(samples, List("INFO", {Chunk("ICMT", ToBytes("the data here is not it"))})));
    EXPECT_EQ(s.Sound(), ZeroFilled(samples));
    EXPECT_EQ(result.zeroFilled, 13000);

    const Bytes longer = Pattern(25000, 5);
    audio::ReintegrateAudio(s.moviePath, s.track, s.WavPath(longer));
    EXPECT_EQ(s.Sound(), Slice(longer, 0, 20000));

    // Not RIFF WAVE: the first "data" in any case, samples 8 bytes behind it.
    Bytes raw = ToBytes("headerDaTa\x01\x02\x03\x04");
    Append(raw, samples);
    audio::ReintegrateAudio(s.moviePath, s.track, WriteTempFile(raw, "raw.wav"));
    EXPECT_EQ(s.Sound(), ZeroFilled(samples));
}

TEST(Reintegration, RefusesAMissingWavOrOneWithoutSamplesAndWritesNothing) {
    SoundMovie s;
    const auto missing = (std::filesystem::path(s.moviePath).parent_path() / "none.wav").string();
    for (const auto& wav :
         {missing, WriteTempFile(Riff("WAVE", {Chunk("fmt ", WaveFormatData())}), "x.wav"),
          WriteTempFile(ToBytes("nothing"), "y.wav")}) {
        EXPECT_THROW(audio::ReintegrateAudio(s.moviePath, s.track, wav), audio::AudioError);
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(ReadWholeFile(s.moviePath), s.movie);

    // A movie cut short: only what it still holds is written.
    Bytes cut = s.movie;
    cut.resize(cut.size() - 8 - 10 - 1 - 5000);  // idx1, the last chunk, a pad, 5000 bytes
    platform::MemoryFile movie(cut);             // throws on any write past its end
    platform::MemoryFile wav(Bytes(1000, std::byte{7}));
    auto track = s.track;
    track.loadedLength = static_cast<std::int64_t>(cut.size());
    EXPECT_EQ(audio::WriteSamples(movie, track, wav, {false, {}, 0, 1000}).bytesWritten,
              6000 + 13999 - 5000);
}

TEST(Reintegration, WritesOnlyTheBytesThatDifferAndGoesOnFromTheCheckWalk) {
    // Two bytes three apart in the first chunk, one just behind a block edge, one in the
    // second chunk and the last byte of the third; or one byte in the second chunk only.
    const Bytes held = HeldSound();
    Bytes edited = held, inSecond = held;
    for (const std::size_t at : {10, 13, 102, 6050}) edited[at] = std::byte{9};
    edited[19999] = std::byte{4};
    inSecond[6050] = std::byte{9};
    const struct {
        const Bytes& wav;
        std::int64_t matchingChunks, matchingBytes, changed;
        std::size_t writes;
    } cases[] = {
        {held, 3, 20000, 0, 0}, {edited, 0, 0, 4 + 1 + 1 + 1, 4}, {inSecond, 1, 6000, 1, 1}};
    for (const auto& c : cases) {
        SoundMovie s;
        const std::string wav = s.WavPath(c.wav);
        const auto check = audio::CompareWavWithMovie(s.moviePath, s.track, wav);
        EXPECT_EQ(check.movieChunks.matchingChunks, c.matchingChunks);
        EXPECT_EQ(check.movieChunks.matchingBytes, c.matchingBytes);

        platform::FaultPlan plan;  // counts what reaches the movie
        plan.Watching([&](const std::string& path) { return path == s.moviePath; });
        platform::ScopedFaultInjection counting(std::move(plan));
        audio::ReintegrationOptions options{std::nullopt, {}, &check.movieChunks};
        options.tuning.copyBlock = 102;
        const auto result = audio::ReintegrateAudio(s.moviePath, s.track, wav, options);
        EXPECT_EQ(s.Sound(), c.wav);
        EXPECT_EQ(result.bytesWritten, 20000);
        EXPECT_EQ(result.bytesChanged, c.changed);  // [10, 13], then single bytes
        EXPECT_EQ(counting.Plan().JournalOf(s.moviePath).size(), c.writes);
    }
    // A survey that kept only the first chunk: the walk goes on behind it.
    const Bytes samples = Pattern(20000, 6);
    SoundMovie partly;
    const auto survey = audio::SurveyAudioChunks(
        *platform::OpenFile(partly.moviePath, platform::OpenMode::Read), 1, std::nullopt, {}, 1);
    audio::ReintegrateAudio(partly.moviePath, partly.track, partly.WavPath(samples),
                            {{}, {}, &survey});
    EXPECT_EQ(partly.Sound(), samples);
    // A survey of a file of another length (the movie was replaced): walked afresh, and the
    // bogus position it names is never written.
    SoundMovie replaced;
    audio::AudioChunkSurvey stale;
    stale.streamNumber = 1;
    stale.fileLength = static_cast<std::int64_t>(replaced.movie.size()) + 1;
    stale.first.push_back({20, 4, 4});
    stale.stats.chunks = 1;
    audio::ReintegrateAudio(replaced.moviePath, replaced.track, replaced.WavPath(samples),
                            {{}, {}, &stale});
    EXPECT_EQ(replaced.Sound(), samples);
    EXPECT_EQ(Slice(ReadWholeFile(replaced.moviePath), 0, 40), Slice(replaced.movie, 0, 40));
    // "Jink Audio" moves the samples: what the check compared says nothing about them.
    SoundMovie s;
    const std::string wav = s.WavPath(HeldSound());
    const auto check = audio::CompareWavWithMovie(s.moviePath, s.track, wav);
    audio::ReintegrateAudio(s.moviePath, s.track, wav, {0.25, {}, &check.movieChunks});
    EXPECT_EQ(s.Sound(), ZeroFilled(Slice(HeldSound(), 4000, 16000)));
}

// The job both faces run: the question only on a mismatch, in a dry run too; nothing written
// on No or in a dry run; and a WAV file saved again while the question waits written as it is
// then.
TEST(RunReintegration, AsksOnlyOnAMismatchAndWritesOnlyAfterYes) {
    SoundMovie s;
    const auto record = [&] {
        auto file = platform::OpenFile(s.moviePath, platform::OpenMode::Read);
        return avi::DecodeHeaders(*file, avi::ScanChunks(*file).chunkMap);
    }();
    const std::string wav = s.WavPath(Pattern(12000, 3));  // 8000 bytes short
    std::vector<std::string> asked;
    const auto answer = [&](bool yes, const Bytes& savedMeanwhile = {}) {
        return [&asked, &wav, yes, savedMeanwhile](const std::string& question) {
            asked.push_back(question);
            if (!savedMeanwhile.empty()) WriteFile(wav, Wav(savedMeanwhile));
            return yes;
        };
    };
    audio::ReintegrationOptions dryRun;
    dryRun.dryRun = true;
    for (const auto& [options, yes] :
         {std::pair{dryRun, true}, std::pair{audio::ReintegrationOptions{}, false}}) {
        const auto outcome =
            audio::RunReintegration(s.moviePath, record, std::nullopt, wav, options, answer(yes));
        EXPECT_EQ(outcome.declined, !yes);
        EXPECT_EQ(outcome.result.bytesChanged > 0, yes);  // a dry run counts what would change
        EXPECT_EQ(ReadWholeFile(s.moviePath), s.movie);
    }
    EXPECT_EQ(asked.size(), 2u);

    const Bytes saved = Pattern(20000, 5);
    const auto outcome =
        audio::RunReintegration(s.moviePath, record, 1, wav, {}, answer(true, saved));
    EXPECT_EQ(asked.size(), 3u);
    EXPECT_EQ(s.Sound(), saved);
    EXPECT_EQ(outcome.result.bytesWritten, 20000);
    // A matching WAV file is written without a question.
    audio::RunReintegration(s.moviePath, record, std::nullopt, s.WavPath(HeldSound()), {},
                            answer(false));
    EXPECT_EQ(asked.size(), 3u);
    EXPECT_EQ(ReadWholeFile(s.moviePath), s.movie);
}

TEST(WavCheck, SaysWhatDiffersAndWhatTheCutDoes) {
    // (A matching WAV file asks nothing: the job's test.)
    SoundMovie s;
    auto c = audio::CompareWavWithMovie(s.moviePath, s.track, s.WavPath(Pattern(12000, 1)));
    EXPECT_EQ(audio::MismatchQuestion(c),
              "The WAV file does not match the movie's sound track: it holds 8000 sample bytes "
              "fewer than the movie's audio chunks, whose rest would be filled with zero bytes. "
              "Writing it back cannot be undone.");
    c.formatDifferences = {"1 channel in the WAV file", "44100 Hz in the WAV file"};
    c.wavBytes = 20001;
    EXPECT_NE(audio::MismatchQuestion(c)->find("differs (1 channel in the WAV file; 44100 Hz in "
                                               "the WAV file) and it holds 1 sample bytes more"),
              std::string::npos);

    // A cut that drops nothing, or every sample, is said before anything is written.
    const struct {
        double seconds;
        const char* said;  // nothing: no question
    } cuts[] = {
        {0.5, nullptr},
        {0.00003,
         "Jink Audio cuts nothing from 3e-05 seconds: it is less than half of one unit "
         "of the sound stream, which lasts 0.00006 seconds."},
        {-1.0, "Jink Audio cuts nothing from -1 seconds: a cut cannot be negative."},
        {2.0,
         "Jink Audio's cut of 2 seconds (32000 units, 32000 bytes) takes all 20000 sample "
         "bytes of the WAV file: the sound track would be only zero bytes."},
    };
    const std::string wav = s.WavPath(Pattern(20000, 1));
    for (const auto& cut : cuts) {
        const auto question = audio::MismatchQuestion(
            audio::CompareWavWithMovie(s.moviePath, s.track, wav, cut.seconds));
        EXPECT_EQ(question, cut.said ? std::optional(std::string(cut.said) +
                                                     " Writing it back cannot be undone.")
                                     : std::nullopt)
            << cut.seconds;
    }
}

TEST(WavCheck, ComparesFormatsByWhatTheyMean) {
    // WAVE_FORMAT_EXTENSIBLE: valid bits, channel mask 3, the sub-format's GUID.
    const auto extensible = [](std::uint16_t valid, std::uint8_t subTag) {
        Bytes b = WaveFormatData(0xFFFE, 2, 48000, 24, 0);
        b.resize(18);
        AppendU16(b, valid);
        AppendU32(b, 3);
        AppendU32(b, subTag);
        Append(b, ToBytes(std::string("\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 12)));
        b[16] = std::byte{22};  // cbSize
        return b;
    };
    const Bytes pcm = WaveFormatData(1, 2, 48000, 24);
    const struct {
        Bytes wav, movie;
        std::vector<std::string> said;
    } cases[] = {
        {extensible(24, 1), pcm, {}},
        {extensible(20, 1),
         pcm,
         {"20 valid bits per sample in the WAV file, 24 valid bits per sample in the movie"}},
        {extensible(24, 2),
         pcm,  // a sub-format that is no plain PCM
         {"wave type 65534 - Unknown Wave format in the WAV file, 1 - Microsoft PCM in the "
          "movie",
          "22 extra format bytes in the WAV file, 0 extra format bytes in the movie"}},
        {WaveFormatData(1, 1, 48000, 8),
         WaveFormatData(1, 2, 24000, 8),
         {"1 channel in the WAV file, 2 channels in the movie",
          "48000 Hz in the WAV file, 24000 Hz in the movie",
          "blocks of 1 byte in the WAV file, blocks of 2 bytes in the movie"}},
        {ToBytes("short"),
         ToBytes("other"),
         {"its format chunk differs from the movie's sound format"}},
    };
    for (const auto& c : cases) EXPECT_EQ(audio::FormatDifferences(c.wav, c.movie), c.said);
}

}  // namespace
}  // namespace brelvo::testing
