// SPDX-License-Identifier: GPL-2.0-or-later
// brelvo-cli extract-audio and reintegrate-audio: what each says, the mismatch that needs
// --force, what a failed write-back says of the sound track, and movies into a folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/cli_run.h"
#include "tests/support/fault_injection.h"
#include "tests/support/test_movies.h"

namespace brelvo::cli {
namespace {

using namespace brelvo::testing;
using testing::Beside;
using testing::Cli;

TEST(AudioCommands, ExtractAndWriteBackSayWhatTheyDidAndAMismatchNeedsForce) {
    const auto movie = CopyFixture("ffmpeg_audio_first.avi");
    const Bytes original = ReadWholeFile(movie);
    const auto wav = Beside(movie, "Sound.WAV");
    auto r = Cli({"extract-audio", movie, wav});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out, wav + ": 32000 sample bytes from 16 audio chunks of stream 0\n");
    EXPECT_EQ(r.err, "");  // no progress line off a terminal

    Bytes shorter = ReadWholeFile(wav);
    shorter.resize(shorter.size() - 200);  // the data size now overstates what the file holds
    const auto shortWav = WriteTempFile(shorter, "short.wav");
    r = Cli({"reintegrate-audio", "--dry-run", movie, shortWav});
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_TRUE(r.err.starts_with("brelvo-cli: " + movie + ": The WAV file does not match"));
    EXPECT_TRUE(r.err.ends_with(" Nothing was written; give --force to write it anyway.\n"));
    EXPECT_EQ(ReadWholeFile(movie), original);
    r = Cli({"reintegrate-audio", "--force", movie, shortWav});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out, movie +
                         ": 32000 sample bytes written into 16 audio chunks of stream 0, 200 "
                         "bytes filled with zeros (200 bytes changed)\n");
    EXPECT_NE(r.err.find(" Written anyway (--force).\n"), std::string::npos) << r.err;

    // 8000 units of 2 bytes a second.
    r = Cli({"reintegrate-audio", "--jink", "0.5", movie, wav});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_NE(r.out.find(", 8000 bytes dropped by --jink (4000 units), 8000 bytes filled with"),
              std::string::npos)
        << r.out;
}

TEST(AudioCommands, AFailedWriteBackSaysWhatBecameOfTheSoundTrack) {
    const auto movie = CopyFixture("ffmpeg_mpeg4_pcm.avi");
    const auto wav = Beside(movie, "sound.wav");
    ASSERT_EQ(Cli({"extract-audio", movie, wav}).status, kExitOk);
    Bytes inverted = ReadWholeFile(wav);
    for (std::size_t k = 44; k < inverted.size(); ++k) inverted[k] = ~inverted[k];
    const auto edited = WriteTempFile(inverted, "edited.wav");
    // The second write fails: the first one's bytes are in the movie, and the report counts them.
    platform::FaultPlan plan(platform::FaultKind::Write, 2);
    plan.Watching([movie](const std::string& path) { return path == movie; });
    platform::ScopedFaultInjection faults(std::move(plan));
    const auto r = Cli({"reintegrate-audio", movie, edited});
    EXPECT_EQ(r.status, kExitFailure);
    const auto journal = faults.Plan().JournalOf(movie);
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_TRUE(r.err.ends_with(
        ". The sound track is partly rewritten: " + std::to_string(journal[0].bytes.size()) +
        " bytes were changed before the failure.\n"))
        << r.err;
}

// One WAV file a movie, named after it; a movie that fails leaves the others done.
TEST(AudioCommands, MoviesIntoAFolder) {
    const auto two = CopyFixture("ffmpeg_two_audio.avi");
    const auto folder = Beside(two, "sounds");
    std::filesystem::create_directory(folder);
    const auto pcm = CopyFixture("ffmpeg_mpeg4_pcm.avi");
    const auto silent = WriteTempFile(MakeSimpleMovie({.withAudio = false}), "silent.avi");
    const auto r = Cli({"extract-audio", "-o", folder, two, silent, pcm, pcm});
    EXPECT_EQ(r.status, kExitFailure);
    const auto pcmWav = (std::filesystem::path(folder) / "ffmpeg_mpeg4_pcm.wav").string();
    EXPECT_EQ(r.err, "brelvo-cli: " + silent +
                         ": The movie has no sound stream. No WAV file was written.\n"
                         "brelvo-cli: " +
                         pcm + ": " + pcmWav + " was written for " + pcm +
                         " in this run. No WAV file was written.\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);
}

}  // namespace
}  // namespace brelvo::cli
