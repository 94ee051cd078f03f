// SPDX-License-Identifier: GPL-2.0-or-later
// Extraction's WAV layout, its safety on failure, and extract-then-write-back round trips on
// synthetic movies and on every fixture with sound.
#include <gtest/gtest.h>

#include <filesystem>

#include "audio/audio_error.h"
#include "audio/extract_audio.h"
#include "audio/reintegrate_audio.h"
#include "audio/wav_file.h"
#include "platform/interrupt_cleanup.h"
#include "platform/random_access_file.h"
#include "tests/support/test_movies.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

namespace brelvo::testing {
namespace {

std::string Beside(const std::string& path, const std::string& name) {
    return (std::filesystem::path(path).parent_path() / name).string();
}

audio::AudioTrack TrackOf(const std::string& moviePath, int stream = -1) {
    auto file = platform::OpenFile(moviePath, platform::OpenMode::Read);
    return stream < 0 ? audio::FindAudioTrack(*file) : audio::FindAudioTrack(*file, stream);
}

TEST(WavLayout, IsTheFormatChunkWholeAndPaddedThenTheConcatenatedPayloads) {
    const Bytes oddFormat = WaveFormatData(1, 2, 4000, 16, 1);  // 19 bytes
    const Bytes a = Pattern(33, 1), b = Pattern(8, 2);
    const auto moviePath = WriteTempFile(MakeMovie(
        {.streams = {VideoStream(), SoundStream(25, 16000, oddFormat)},
         .movis = {{Chunk("00dc", Pattern(50, 3)), Chunk("01wb", a), Chunk("01wb", b)}}}));
    const auto wavPath = Beside(moviePath, "sound.wav");
    const auto result = audio::ExtractAudio(moviePath, TrackOf(moviePath), wavPath);
    Bytes samples = a;
    Append(samples, b);
    // The format chunk's pad byte is one other programs need to find "data".
    const Bytes expected = WavFile(oddFormat, samples);
    EXPECT_EQ(ReadWholeFile(wavPath), expected);
    EXPECT_EQ(result.chunks, 2);
    EXPECT_EQ(result.dataBytes, 41);

    // One without the pad, as earlier builds wrote it, still gives the same samples back.
    Bytes unpadded = expected;
    unpadded.erase(unpadded.begin() + 20 + 19);
    unpadded[4] = std::byte{4 + 8 + 19 + 8 + 41};  // the RIFF size, one less
    const auto check = audio::CompareWavWithMovie(moviePath, TrackOf(moviePath),
                                                  WriteTempFile(unpadded, "back.wav"));
    EXPECT_EQ(check.movieChunks.matchingBytes, 41) << "other samples found";
    EXPECT_TRUE(check.wavHasFormat && check.formatDifferences.empty());
}

// (A failed extraction leaving nothing and an earlier file as it was: the fault sweeps.)
TEST(Extraction, APathThatIsNoFileIsNamedForWhatItIsAndTheMovieIsNeverReplaced) {
    const auto moviePath = WriteTempFile(MakeSimpleMovie({}));
    const auto folder = Beside(moviePath, "folder.wav");
    std::filesystem::create_directory(folder);
    std::vector<std::pair<std::string, std::string>> cases = {{folder, "a folder"}};
#ifndef _WIN32
    const auto fifo = Beside(moviePath, "pipe.wav");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    cases.emplace_back(fifo, "a pipe (FIFO)");
#endif
    const auto track = TrackOf(moviePath);
    for (const auto& [path, kind] : cases) {
        try {
            audio::ExtractAudio(moviePath, track, path);
            ADD_FAILURE() << path;
        } catch (const audio::AudioError& e) {
            EXPECT_EQ(e.what(), "The WAV path names " + kind + ", not a file.");
        }
        EXPECT_THROW(audio::ReintegrateAudio(moviePath, track, path), audio::AudioError);
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_THROW(audio::ExtractAudio(moviePath, track, moviePath), audio::AudioError);
    EXPECT_EQ(ReadWholeFile(moviePath), MakeSimpleMovie({}));
}

#ifndef _WIN32
// Interrupts the process at the extraction's first progress report.
class InterruptingSink final : public audio::ProgressSink {
  public:
    explicit InterruptingSink(int signal) : signal_(signal) {}
    void OnProgress(const audio::AudioProgress&) override { ::raise(signal_); }

  private:
    int signal_;
};

TEST(Extraction, AnInterruptionLeavesNoTemporaryFileBehind) {
    const auto moviePath = WriteTempFile(MakeSimpleMovie({}));
    const auto folder = std::filesystem::path(moviePath).parent_path();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        platform::RemoveRegisteredFilesOnInterrupt();
        InterruptingSink sink(SIGTERM);
        try {
            audio::ExtractAudio(moviePath, TrackOf(moviePath), Beside(moviePath, "sound.wav"),
                                &sink, {4096, 16});
        } catch (...) {
        }
        ::_exit(0);  // not reached: the signal ends the process
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}
#endif

// Extract, write back a changed track and then the original: the changed movie differs only
// in sound bytes, and the original comes back byte for byte.
void ExpectRoundTrip(const std::string& moviePath, const audio::AudioTrack& track,
                     std::int64_t expectedBytes, const audio::CopyTuning& tuning = {}) {
    const Bytes original = ReadWholeFile(moviePath);
    const auto wavPath = Beside(moviePath, "track" + std::to_string(track.streamNumber) + ".wav");
    const auto extracted = audio::ExtractAudio(moviePath, track, wavPath, nullptr, tuning);
    EXPECT_EQ(extracted.dataBytes, expectedBytes);
    const Bytes wav = ReadWholeFile(wavPath);
    const std::size_t samplesAt = 28 + track.formatSize + track.formatSize % 2;
    ASSERT_EQ(static_cast<std::int64_t>(wav.size()), samplesAt + expectedBytes);

    Bytes changed = wav;
    for (std::size_t k = samplesAt; k < changed.size(); ++k) changed[k] = ~changed[k];
    const auto changedPath = WriteTempFile(changed, "changed.wav");
    const audio::ReintegrationOptions options{std::nullopt, tuning};
    const auto written = audio::ReintegrateAudio(moviePath, track, changedPath, options);
    EXPECT_EQ(written.bytesWritten, expectedBytes);
    EXPECT_EQ(written.zeroFilled, 0);
    const Bytes changedMovie = ReadWholeFile(moviePath);
    ASSERT_EQ(changedMovie.size(), original.size());
    std::int64_t differing = 0;
    for (std::size_t k = 0; k < original.size(); ++k) differing += changedMovie[k] != original[k];
    EXPECT_EQ(differing, expectedBytes);

    audio::ReintegrateAudio(moviePath, track, wavPath, options);
    EXPECT_EQ(ReadWholeFile(moviePath), original);
}

TEST(RoundTrip, SyntheticMoviesAcrossBlockEdgesAndAStreamedOne) {
    Bytes frame = ToBytes("01wb");  // a frame that holds an audio chunk header
    AppendU32(frame, 2);
    AppendText(frame, "xyz");
    const std::vector<std::vector<Bytes>> movis = {
        {Chunk("00dc", frame), Chunk("01wb", Pattern(33, 1), false),
         Chunk("01wb", Pattern(100, 2), false), Chunk("00dc", Pattern(7, 3))},
        {Chunk("01wb", Pattern(61, 4))}};
    const Bytes movie = MakeMovie(
        {.streams = {VideoStream(), SoundStream(25, 16000, WaveFormatData(1, 2, 4000, 16, 1))},
         .movis = movis});
    const auto path = WriteTempFile(movie);
    ExpectRoundTrip(path, TrackOf(path), 33 + 100 + 61, audio::CopyTuning{23, 7});
    const auto streamed = WriteTempFile(MakeStreamedMovie(5));
    ExpectRoundTrip(streamed, TrackOf(streamed), 4 * (1 + 2 + 3 + 4 + 5));
}

TEST(RoundTrip, EveryFixtureWithSound) {
    struct Case {
        const char* name;
        int stream;
        std::int64_t bytes;  // sample frames x block size, as ffprobe reports the streams
    };
    for (const Case& c :
         {Case{"ffmpeg_mpeg4_pcm.avi", 1, 22050 * 4}, Case{"ffmpeg_mjpeg_u8.avi", 1, 16000},
          Case{"ffmpeg_audio_first.avi", 0, 16000 * 2}, Case{"ffmpeg_info_items.avi", 1, 32000},
          Case{"ffmpeg_two_audio.avi", 1, 16000 * 4}, Case{"ffmpeg_two_audio.avi", 2, 22050},
          Case{"ffmpeg_unknown_fourcc.avi", 1, 32000}, Case{"ffmpeg_mpeg4_adpcm.avi", 1, 22528},
          Case{"ffmpeg_mpeg4_mp3.avi", 1, 8255}, Case{"gst_mjpeg_pcm.avi", 1, 16000 * 4}}) {
        SCOPED_TRACE(std::string(c.name) + " stream " + std::to_string(c.stream));
        const auto path = CopyFixture(c.name);
        ExpectRoundTrip(path, TrackOf(path, c.stream), c.bytes);
    }
}

}  // namespace
}  // namespace brelvo::testing
