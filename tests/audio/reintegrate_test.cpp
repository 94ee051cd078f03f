// SPDX-License-Identifier: GPL-2.0-or-later
// Re-integration: which WAV bytes land where, "Jink Audio", and the refusals that keep a
// movie's sound track from being overwritten by nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "audio/audio_chunk_survey.h"
#include "audio/audio_chunk_walk.h"
#include "audio/audio_error.h"
#include "audio/format_comparison.h"
#include "audio/reintegrate_audio.h"
#include "audio/wav_file.h"
#include "avi/decode_headers.h"
#include "avi/scan_chunks.h"
#include "tests/audio/audio_movies.h"
#include "tests/support/fault_injection.h"

namespace brelvo::testing {
namespace {

// A WAV file of the given samples at 16000 bytes per second, behind optional other chunks.
Bytes WavBytes(const Bytes& samples, std::string_view before = "") {
    Bytes body = ToBytes("WAVE");
    Append(body, ToBytes(before));
    Append(body, Chunk("fmt ", WaveFormatData(1, 2, 4000, 16)));
    Append(body, Chunk("data", samples));
    Bytes wav = ToBytes("RIFF");
    AppendU32(wav, static_cast<std::uint32_t>(body.size()));
    Append(wav, body);
    return wav;
}

void RestoreWav(const std::string& path, const Bytes& samples) {
    const Bytes wav = WavBytes(samples);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
}

// A movie with 20000 sound bytes at 16000 bytes per second, a frame that holds "01wb", and
// a WAV file of the given samples.
struct SoundMovie {
    Bytes frame = ToBytes("..01wb\x10\x00\x00\x00 inside a frame");
    std::string moviePath;
    Bytes movie;
    audio::AudioTrack track;

    SoundMovie() {
        auto streams = VideoAndSound();
        streams[1].scale = 1;  // 16000 units of 1 byte a second
        streams[1].sampleSize = 1;
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
        return WriteTempFile(WavBytes(samples, before), "in.wav");
    }
};

Bytes Slice(const Bytes& b, std::size_t from, std::size_t count) {
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from),
                 b.begin() + static_cast<std::ptrdiff_t>(from + count));
}

TEST(Reintegration, JinkDropsTheStreamsUnitsAndZeroFillsTheEnd) {
    // The movie's chunks hold 6000, 13999 and 1 bytes; the WAV's blocks are 4 bytes.
    const Bytes samples = Pattern(20000, 9);
    const struct {
        std::optional<double> seconds;
        std::int32_t rate, scale, sampleSize;
        std::int64_t units, bytes;
    } cases[] = {
        {std::nullopt, 16000, 1, 1, 0, 0},
        {0.0, 16000, 1, 1, 0, 0},
        {-1.0, 16000, 1, 1, 0, 0},
        {0.5, 16000, 1, 1, 8000, 8000},      // units of one byte
        {0.50005, 16000, 1, 1, 8001, 8000},  // whole blocks of the WAV file
        {0.5, 4000, 1, 4, 2000, 8000},       // 16-bit stereo: sample frames
        {0.5, 16000, 1000, 1000, 8, 8000},   // ADPCM: blocks
        {0.5, 3, 1, 0, 2, 19999},            // one unit a chunk: 1.5 to even, two chunks
        {0.25, 2, 1, 0, 0, 0},               // half a unit rounds to 0
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
            audio::ReintegrateAudio(s.moviePath, s.track, s.Wav(samples), {c.seconds, {}});
        EXPECT_EQ(result.jink.has_value(), c.seconds.has_value());
        EXPECT_EQ(result.jink ? result.jink->units : 0, c.units);
        EXPECT_EQ(result.skippedBytes, c.bytes);
        const auto skip = static_cast<std::size_t>(std::min<std::int64_t>(c.bytes, 20000));
        Bytes expected = Slice(samples, skip, 20000 - skip);
        expected.resize(20000, std::byte{0});
        EXPECT_EQ(s.Sound(), expected);
        EXPECT_EQ(result.zeroFilled, static_cast<std::int64_t>(skip));
        const Bytes now = ReadWholeFile(s.moviePath);
        EXPECT_TRUE(std::search(now.begin(), now.end(), s.frame.begin(), s.frame.end()) !=
                    now.end());
    }
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
    auto track = s.track;
    track.loadedLength = static_cast<std::int64_t>(cut.size());
    const auto result = audio::WriteSamples(movie, track, wav, {false, {}, 0, 1000});
    EXPECT_EQ(result.bytesWritten, 6000 + 13999 - 5000);
    EXPECT_EQ(movie.Bytes().size(), cut.size());
}

// What the movie's sound already holds: 6000 x 1, 13999 x 2, 1 x 3.
Bytes HeldSound() {
    Bytes sound(20000, std::byte{2});
    std::fill_n(sound.begin(), 6000, std::byte{1});
    sound.back() = std::byte{3};
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

// The job both faces run: the question only on a mismatch, in a dry run too; nothing written
// on No or in a dry run; and a WAV file saved again while the question waits written as it is
// then.
TEST(RunReintegration, AsksOnlyOnAMismatchAndWritesOnlyAfterYes) {
    SoundMovie s;
    const auto record = [&] {
        auto file = platform::OpenFile(s.moviePath, platform::OpenMode::Read);
        return avi::DecodeHeaders(*file, avi::ScanChunks(*file).chunkMap);
    }();
    const std::string wav = s.Wav(Pattern(12000, 3));  // 8000 bytes short
    std::vector<std::string> asked;
    const auto answer = [&](bool yes, const Bytes& savedMeanwhile = {}) {
        return [&asked, &wav, yes, savedMeanwhile](const std::string& question) {
            asked.push_back(question);
            if (!savedMeanwhile.empty()) RestoreWav(wav, savedMeanwhile);
            return yes;
        };
    };
    audio::ReintegrationOptions dryRun;
    dryRun.dryRun = true;
    for (const auto& [options, yes] : {std::pair{dryRun, false}, std::pair{dryRun, true},
                                       std::pair{audio::ReintegrationOptions{}, false}}) {
        const auto outcome =
            audio::RunReintegration(s.moviePath, record, std::nullopt, wav, options, answer(yes));
        EXPECT_EQ(outcome.declined, !yes);
        ASSERT_TRUE(outcome.mismatch);
        EXPECT_EQ(outcome.track.streamNumber, 1);
        EXPECT_EQ(outcome.result.bytesChanged > 0, yes);  // a dry run counts what would change
        EXPECT_EQ(ReadWholeFile(s.moviePath), s.movie);
    }
    EXPECT_EQ(asked.size(), 3u);

    const Bytes saved = Pattern(20000, 5);
    const auto outcome =
        audio::RunReintegration(s.moviePath, record, 1, wav, {}, answer(true, saved));
    EXPECT_EQ(asked.size(), 4u);
    EXPECT_EQ(s.Sound(), saved);
    EXPECT_EQ(outcome.result.bytesWritten, 20000);
    // A matching WAV file is written without a question.
    audio::RunReintegration(s.moviePath, record, std::nullopt, s.Wav(HeldSound()), {},
                            answer(false));
    EXPECT_EQ(asked.size(), 4u);
    EXPECT_EQ(ReadWholeFile(s.moviePath), s.movie);
}

TEST(WavCheck, SaysWhatDiffersAndWhatTheCutDoes) {
    SoundMovie s;
    auto c = audio::CompareWavWithMovie(s.moviePath, s.track, s.Wav(Pattern(20000, 1)));
    EXPECT_FALSE(c.FormatDiffers());
    EXPECT_EQ(c.movieBytes, 20000);
    EXPECT_EQ(audio::MismatchQuestion(c), std::nullopt);

    c = audio::CompareWavWithMovie(s.moviePath, s.track, s.Wav(Pattern(12000, 1)));
    EXPECT_EQ(audio::MismatchQuestion(c),
              "The WAV file does not match the movie's sound track: it holds 8000 sample bytes "
              "fewer than the movie's audio chunks, whose rest would be filled with zero bytes. "
              "Writing it back cannot be undone.");
    c.formatDifferences = {"1 channel in the WAV file, 2 channels in the movie",
                           "44100 Hz in the WAV file, 4000 Hz in the movie"};
    c.wavBytes = 20001;
    EXPECT_EQ(audio::MismatchQuestion(c),
              "The WAV file does not match the movie's sound track: its format differs (1 "
              "channel in the WAV file, 2 channels in the movie; 44100 Hz in the WAV file, 4000 "
              "Hz in the movie) and it holds 1 sample bytes more than the movie's audio chunks, "
              "which would be left out. Writing it back cannot be undone.");

    // A cut that drops nothing, or every sample, is said before anything is written.
    const struct {
        double seconds;
        const char* said;  // nothing: no question
    } cuts[] = {
        {0.5, nullptr},
        {0.0, nullptr},
        {0.00003,
         "Jink Audio cuts nothing from 3e-05 seconds: it is less than half of one unit "
         "of the sound stream, which lasts 0.00006 seconds."},
        {-1.0, "Jink Audio cuts nothing from -1 seconds: a cut cannot be negative."},
        {2.0,
         "Jink Audio's cut of 2 seconds (32000 units, 32000 bytes) takes all 20000 sample "
         "bytes of the WAV file: the sound track would be only zero bytes."},
    };
    const std::string wav = s.Wav(Pattern(20000, 1));
    for (const auto& cut : cuts) {
        c = audio::CompareWavWithMovie(s.moviePath, s.track, wav, cut.seconds);
        const auto question = audio::MismatchQuestion(c);
        if (!cut.said) {
            EXPECT_EQ(question, std::nullopt) << cut.seconds;
        } else {
            EXPECT_EQ(question, std::string(cut.said) + " Writing it back cannot be undone.");
        }
    }
}

TEST(WavCheck, ComparesFormatsByWhatTheyMean) {
    const auto extensible = [](std::uint16_t channels, std::uint16_t bits, std::uint16_t valid,
                               std::uint16_t subTag) {
        Bytes b = WaveFormatData(0xFFFE, channels, 48000, bits, 22);
        const std::size_t at = 18;
        b[at] = std::byte(valid & 0xFF);
        b[at + 1] = std::byte(valid >> 8);
        const Bytes mask = {std::byte{3}, std::byte{0}, std::byte{0}, std::byte{0}};
        std::copy(mask.begin(), mask.end(), b.begin() + at + 2);
        Bytes guid = {std::byte(subTag), std::byte{0}, std::byte{0}, std::byte{0}};
        for (const int v : {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71})
            guid.push_back(std::byte(v));
        std::copy(guid.begin(), guid.end(), b.begin() + at + 6);
        return b;
    };
    const Bytes pcm = WaveFormatData(1, 2, 48000, 24);
    const struct {
        Bytes wav, movie;
        std::vector<std::string> said;
    } cases[] = {
        {WaveFormatData(1, 2, 48000, 16), WaveFormatData(1, 2, 48000, 16, 0), {}},  // no cbSize
        {extensible(2, 24, 24, 1), pcm, {}},
        {extensible(2, 24, 20, 1),
         pcm,
         {"20 valid bits per sample in the WAV file, 24 valid bits per sample in the movie"}},
        {extensible(2, 24, 24, 2),
         pcm,  // a sub-format that is no plain PCM
         {"wave type 65534 - Unknown Wave format in the WAV file, 1 - Microsoft PCM in the "
          "movie",
          "22 extra format bytes in the WAV file, 0 extra format bytes in the movie"}},
        {WaveFormatData(1, 1, 44100, 16),
         WaveFormatData(1, 1, 48000, 16),
         {"44100 Hz in the WAV file, 48000 Hz in the movie",
          "88200 bytes per second in the WAV file, 96000 bytes per second in the movie"}},
        {WaveFormatData(1, 1, 48000, 8),
         WaveFormatData(1, 2, 24000, 8),
         {"1 channel in the WAV file, 2 channels in the movie",
          "48000 Hz in the WAV file, 24000 Hz in the movie",
          "blocks of 1 byte in the WAV file, blocks of 2 bytes in the movie"}},
        {WaveFormatData(85, 2, 48000, 16, 2),
         WaveFormatData(85, 2, 48000, 16, 1),
         {"2 extra format bytes in the WAV file, 1 extra format byte in the movie"}},
        {ToBytes("short"),
         ToBytes("other"),
         {"its format chunk differs from the movie's sound format"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(audio::FormatDifferences(c.wav, c.movie), c.said);
    }
}

}  // namespace
}  // namespace brelvo::testing
