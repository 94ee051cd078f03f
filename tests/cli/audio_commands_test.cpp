// SPDX-License-Identifier: GPL-2.0-or-later
// brelvo-cli extract-audio and reintegrate-audio: round trips, the refusals, and the
// mismatch that needs --force.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "tests/cli/cli_run.h"
#include "tests/support/riff_builder.h"

namespace brelvo::cli {
namespace {

using namespace brelvo::testing;
using testing::Cli;

std::string Beside(const std::string& path, const std::string& name) {
    return (std::filesystem::path(path).parent_path() / name).string();
}

TEST(AudioCommands, ExtractAndWriteBackLeavesTheMovieAsItWas) {
    const auto movie = CopyFixture("ffmpeg_audio_first.avi");
    const Bytes original = ReadWholeFile(movie);
    const auto wav = Beside(movie, "Sound.WAV");
    auto r = Cli({"extract-audio", movie, wav});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out, wav + ": 32000 sample bytes from 16 audio chunks of stream 0\n");
    EXPECT_EQ(r.err, "");  // no progress line off a terminal
    EXPECT_EQ(ReadWholeFile(wav).size(), 28u + 16u + 32000u);

    r = Cli({"reintegrate-audio", movie, wav});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out, movie +
                         ": 32000 sample bytes written into 16 audio chunks of stream 0 (0 bytes "
                         "changed)\n");
    EXPECT_EQ(ReadWholeFile(movie), original);

    // The same figures in the JSON.
    auto json = nlohmann::json::parse(Cli({"extract-audio", "--json", movie, wav}).out).at(0);
    EXPECT_EQ(json["chunks"], 16);
    EXPECT_EQ(json["bytesCopied"], 32000);
    json = nlohmann::json::parse(Cli({"reintegrate-audio", "--json", movie, wav}).out).at(0);
    EXPECT_EQ(json["chunks"], 16);
    EXPECT_EQ(json["bytesWritten"], 32000);
    EXPECT_EQ(json["bytesChanged"], 0);

    r = Cli({"reintegrate-audio", "--jink", "0.5", movie, wav});  // 8000 units per second
    EXPECT_EQ(r.status, kExitOk);
    const std::string said = movie +
                             ": 32000 sample bytes written into 16 audio chunks of stream 0, "
                             "4000 bytes dropped by --jink, 4000 bytes filled with zeros (";
    EXPECT_EQ(r.out.substr(0, said.size()), said);
    EXPECT_NE(r.out.find(" bytes changed)\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("(0 bytes changed)"), std::string::npos) << r.out;
}

TEST(AudioCommands, RefusalsWriteNothing) {
    const auto movie = CopyFixture("ffmpeg_mpeg4_pcm.avi");
    const Bytes original = ReadWholeFile(movie);
    for (const std::string name : {"sound.mp3", "sound", ".wav.txt"}) {
        for (const std::string command : {"extract-audio", "reintegrate-audio"}) {
            const auto r = Cli({command, "--json", movie, Beside(movie, name)});
            EXPECT_EQ(r.status, kExitUsage);
            const std::string wav = command == "extract-audio" ? "OUT.wav" : "IN.wav";
            EXPECT_TRUE(r.err.starts_with("brelvo-cli " + command + ": " + wav +
                                          " must end in .wav: " + Beside(movie, name) +
                                          "\nUsage: "))
                << r.err;
            EXPECT_EQ(r.out, "");
            EXPECT_FALSE(std::filesystem::exists(Beside(movie, name)));
        }
    }
    const auto missing = Beside(movie, "missing.wav");
    auto r = Cli({"reintegrate-audio", "--force", movie, missing});
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_EQ(r.err,
              "brelvo-cli: " + missing + ": The WAV file does not exist. Nothing was written.\n");
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(nlohmann::json::parse(Cli({"reintegrate-audio", "--json", movie, missing}).out),
              (nlohmann::json{{{"path", movie},
                               {"wav", missing},
                               {"errorPath", missing},
                               {"error", "The WAV file does not exist. Nothing was written."}}}));

    const auto silent = WriteTempFile(MakeSimpleMovie({.withAudio = false}));
    r = Cli({"extract-audio", silent, Beside(silent, "s.wav")});
    EXPECT_EQ(r.err, "brelvo-cli: " + silent +
                         ": The movie has no sound stream. No WAV file was written.\n");
    EXPECT_EQ(Cli({"extract-audio", movie}).status, kExitUsage);
    EXPECT_EQ(ReadWholeFile(movie), original);
}

TEST(AudioCommands, AMismatchingWavNeedsForce) {
    const auto movie = CopyFixture("ffmpeg_mpeg4_pcm.avi");
    const Bytes original = ReadWholeFile(movie);
    const auto wav = Beside(movie, "sound.wav");
    ASSERT_EQ(Cli({"extract-audio", movie, wav}).status, kExitOk);
    Bytes shorter = ReadWholeFile(wav);
    shorter.resize(shorter.size() - 200);  // the data size now overstates what the file holds

    const auto shortWav = WriteTempFile(shorter, "short.wav");
    auto r = Cli({"reintegrate-audio", movie, shortWav});
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_EQ(r.err,
              "brelvo-cli: " + movie +
                  ": The WAV file does not match the movie's sound track: it holds 200 sample "
                  "bytes fewer than the movie's audio chunks, whose rest would be filled with "
                  "zero bytes; writing it back cannot be undone. Nothing was written; give "
                  "--force to write it anyway.\n");
    EXPECT_EQ(Cli({"reintegrate-audio", "--dry-run", movie, shortWav}).status, kExitOk);
    EXPECT_EQ(ReadWholeFile(movie), original);

    r = Cli({"reintegrate-audio", "--force", movie, shortWav});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out, movie +
                         ": 88200 sample bytes written into 22 audio chunks of stream 1, "
                         "200 bytes filled with zeros (200 bytes changed)\n");
    EXPECT_NE(ReadWholeFile(movie), original);
    EXPECT_EQ(ReadWholeFile(movie).size(), original.size());
}

}  // namespace
}  // namespace brelvo::cli
