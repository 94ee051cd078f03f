// SPDX-License-Identifier: GPL-2.0-or-later
// Extraction's WAV layout, its safety on failure, and extract-then-write-back round trips on
// synthetic movies and on every fixture with sound.
#include <gtest/gtest.h>

#include <filesystem>

#include "audio/audio_error.h"
#include "audio/extract_audio.h"
#include "audio/reintegrate_audio.h"
#include "audio/wav_file.h"
#include "platform/file_open_hook.h"
#include "platform/interrupt_cleanup.h"
#include "platform/io_error.h"
#include "platform/random_access_file.h"
#include "tests/audio/audio_movies.h"
#include "tests/support/layout_movies.h"

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
    const auto moviePath = WriteTempFile(
        MovieOf(VideoAndSound(oddFormat),
                {{Chunk("00dc", Pattern(50, 3)), Chunk("01wb", a), Chunk("01wb", b)}}));
    const auto wavPath = Beside(moviePath, "sound.wav");
    const auto result = audio::ExtractAudio(moviePath, TrackOf(moviePath), wavPath);

    Bytes expected = ToBytes("RIFF");
    AppendU32(expected, 4 + 8 + 20 + 8 + 41);
    AppendText(expected, "WAVEfmt ");
    AppendU32(expected, 19);
    Append(expected, oddFormat);
    expected.push_back(std::byte{0});  // the pad byte other programs need to find "data"
    AppendText(expected, "data");
    AppendU32(expected, 41);
    Append(expected, a);
    Append(expected, b);
    EXPECT_EQ(ReadWholeFile(wavPath), expected);
    EXPECT_EQ(result.chunks, 2);
    EXPECT_EQ(result.dataBytes, 41);

    // Written back, the padded file and one without the pad (as written before) give the
    // same samples.
    Bytes unpadded = expected;
    unpadded.erase(unpadded.begin() + 20 + 19);
    unpadded[4] = std::byte{4 + 8 + 19 + 8 + 41};  // the RIFF size, one less
    for (const auto& wav : {expected, unpadded}) {
        const auto track = TrackOf(moviePath);
        const auto check =
            audio::CompareWavWithMovie(moviePath, track, WriteTempFile(wav, "back.wav"));
        EXPECT_EQ(check.wavBytes, 41);
        EXPECT_EQ(check.movieChunks.matchingBytes, 41) << "other samples found";
        EXPECT_FALSE(check.FormatDiffers());
    }

    // No sound chunks at all: a WAV file of 28 + S + 1 bytes stating no data.
    const auto silentPath = WriteTempFile(MovieOf(VideoAndSound(oddFormat), {{Chunk("00dc", a)}}));
    audio::ExtractAudio(silentPath, TrackOf(silentPath), Beside(silentPath, "empty.wav"));
    EXPECT_EQ(ReadWholeFile(Beside(silentPath, "empty.wav")).size(), 28u + 20u);
}

// Fails every write to the temporary WAV file after the first few.
class FailingWrites final : public platform::RandomAccessFile {
  public:
    explicit FailingWrites(std::unique_ptr<RandomAccessFile> inner) : inner_(std::move(inner)) {}
    std::size_t ReadAt(std::int64_t o, std::span<std::byte> out) override {
        return inner_->ReadAt(o, out);
    }
    void WriteAt(std::int64_t o, std::span<const std::byte> data) override {
        if (++writes_ > 2)
            throw platform::IoError(platform::FileOp::Write, Path(), "No space left on device");
        inner_->WriteAt(o, data);
    }
    std::int64_t Length() override { return inner_->Length(); }
    const std::string& Path() const override { return inner_->Path(); }

  private:
    std::unique_ptr<RandomAccessFile> inner_;
    int writes_ = 0;
};

TEST(Extraction, AFailureLeavesNoPartialFileAndKeepsTheExistingOne) {
    const auto moviePath = WriteTempFile(MakeSimpleMovie({}));
    const auto wavPath = Beside(moviePath, "sound.wav");
    const Bytes previous = ToBytes("an earlier WAV file");
    std::filesystem::copy_file(WriteTempFile(previous), wavPath);
    {
        platform::ScopedFileOpenHook hook([](const std::string&, platform::OpenMode mode,
                                             std::unique_ptr<platform::RandomAccessFile> f)
                                              -> std::unique_ptr<platform::RandomAccessFile> {
            if (mode != platform::OpenMode::CreateTruncate) return f;
            return std::make_unique<FailingWrites>(std::move(f));
        });
        audio::CopyTuning tiny{4096, 16};
        EXPECT_THROW(audio::ExtractAudio(moviePath, TrackOf(moviePath), wavPath, nullptr, tiny),
                     platform::IoError);
    }
    EXPECT_EQ(ReadWholeFile(wavPath), previous);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(wavPath).parent_path())) {
        ++files;
    }
    EXPECT_EQ(files, 2u);  // the movie and the earlier WAV file, no leftover

    // The WAV file may not take the movie's place.
    EXPECT_THROW(audio::ExtractAudio(moviePath, TrackOf(moviePath), moviePath), audio::AudioError);
    // A successful extraction replaces the earlier file.
    audio::ExtractAudio(moviePath, TrackOf(moviePath), wavPath);
    EXPECT_EQ(ReadWholeFile(wavPath).size(), 28u + 16u + 5u * 64u);
}

TEST(Extraction, APathThatIsNoFileIsNamedForWhatItIs) {
    const auto moviePath = WriteTempFile(MakeSimpleMovie({}));
    const auto folder = Beside(moviePath, "folder.wav");
    std::filesystem::create_directory(folder);
    std::vector<std::pair<std::string, std::string>> cases = {{folder, "a folder"}};
#ifndef _WIN32
    const auto fifo = Beside(moviePath, "pipe.wav");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    cases.emplace_back(fifo, "a pipe (FIFO)");
    cases.emplace_back("/dev/null", "a device");
#endif
    const auto track = TrackOf(moviePath);
    for (const auto& [path, kind] : cases) {
        const std::string said = "The WAV path names " + kind + ", not a file.";
        for (const bool extracting : {true, false}) {
            try {
                if (extracting) {
                    audio::ExtractAudio(moviePath, track, path);
                } else {
                    audio::ReintegrateAudio(moviePath, track, path);
                }
                ADD_FAILURE() << path;
            } catch (const audio::AudioError& e) {
                EXPECT_EQ(e.what(), said);
                EXPECT_EQ(e.Path(), path);
            }
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder));
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
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const auto moviePath = WriteTempFile(MakeSimpleMovie({}));
        const auto folder = std::filesystem::path(moviePath).parent_path();
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            platform::RemoveRegisteredFilesOnInterrupt();
            InterruptingSink sink(signal);
            try {
                audio::ExtractAudio(moviePath, TrackOf(moviePath), Beside(moviePath, "sound.wav"),
                                    &sink, {4096, 16});
            } catch (...) {
            }
            ::_exit(0);  // not reached: the signal ends the process
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1)
            << "signal " << signal;
    }
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

Bytes FrameHoldingAudioIdForRoundTrip() {
    Bytes frame = ToBytes("01wb");
    AppendU32(frame, 2);
    AppendText(frame, "xyz");
    return frame;
}

TEST(RoundTrip, SyntheticMoviesAcrossBlockEdges) {
    const Bytes movie = MovieOf(
        VideoAndSound(WaveFormatData(1, 2, 4000, 16, 1)),
        {{Chunk("00dc", FrameHoldingAudioIdForRoundTrip()), Chunk("01wb", Pattern(33, 1), false),
          Chunk("01wb", Pattern(100, 2), false), Chunk("00dc", Pattern(7, 3))},
         {Chunk("01wb", Pattern(61, 4))}});
    for (const audio::CopyTuning tuning : {audio::CopyTuning{}, audio::CopyTuning{16, 16},
                                           audio::CopyTuning{23, 7}, audio::CopyTuning{40, 32}}) {
        const auto path = WriteTempFile(movie);
        ExpectRoundTrip(path, TrackOf(path), 33 + 100 + 61, tuning);
    }
}

TEST(RoundTrip, StreamedMovieWhoseSizesAreUnknown) {
    const auto path = WriteTempFile(MakeStreamedMovie(5));
    ExpectRoundTrip(path, TrackOf(path), 4 * (1 + 2 + 3 + 4 + 5));
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
    // Without a number, the last sound stream is the one.
    EXPECT_EQ(TrackOf(CopyFixture("ffmpeg_two_audio.avi")).streamNumber, 2);
    EXPECT_EQ(TrackOf(CopyFixture("ffmpeg_audio_first.avi")).streamNumber, 0);
}

}  // namespace
}  // namespace brelvo::testing
