// SPDX-License-Identifier: GPL-2.0-or-later
// brelvo-cli's failures and usage: one clear line per bad file with exit 1, usage errors with
// exit 2, help texts, terminal-safe output, and files left exactly as they were.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "tests/cli/cli_run.h"
#include "tests/support/test_movies.h"

namespace brelvo::cli {
namespace {

using namespace brelvo::testing;
using testing::Cli;
using testing::CliInterleaved;

TEST(CliErrors, BadFilesGiveOneLineNamingTheFileAndTheReason) {
    const std::string text = WriteTempFile(ToBytes("just some text, not a movie"), "notes.avi");
    const std::string folder = std::filesystem::path(text).parent_path().string();
    const std::string notAvi = "not an AVI file (it does not begin with RIFF ... AVI)";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"info", "--", "-x.avi"}, "no such file"},
        {{"keyframes", text}, notAvi},
        {{"info", folder}, "not a regular file (a folder or a device)"},
    };
    for (const auto& [args, why] : cases) {
        const auto r = Cli(args);
        EXPECT_EQ(r.status, kExitFailure);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "brelvo-cli: " + args.back() + ": " + why + "\n");
    }
}

TEST(CliErrors, OneBadFileAmongSeveralFailsTheRunButNotTheOthers) {
    const std::string good = FixturePath("ffmpeg_div3_video_only.avi");
    const std::string line = good + ": Frames 50 ( 5 * Key / 45 Delta.) Every 10\n";
    const std::string failure = "brelvo-cli: /nonexistent.avi: no such file\n";
    EXPECT_EQ(CliInterleaved({"keyframes", good, "/nonexistent.avi", good}), line + failure + line);
    EXPECT_EQ(CliInterleaved({"keyframes", "-q", good, "/nonexistent.avi", "--quiet", good}),
              failure);
}

TEST(CliUsage, UsageErrorsExitTwoAndHelpShowsAnExample) {
    const auto path = CopyFixture("ffmpeg_mpeg4_pcm.avi");
    const auto before = ReadWholeFile(path);
    for (const char* line :
         {"", "frobnicate FILE", "info --jsn FILE", "set-fourcc FILE", "set-fps 30000/0 FILE",
          "set-delay --units x FILE", "extract-audio --stream 0 FILE sound.wav",
          "reintegrate-audio FILE sound.mp3", "repair --only no-such-code FILE"}) {
        const auto r = Cli(testing::Words(line, path));
        EXPECT_EQ(r.status, kExitUsage) << line;
        EXPECT_NE(r.err.find("Usage: brelvo-cli"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(ReadWholeFile(path), before);

    EXPECT_NE(Cli({"--help"}).out.find("  info [--json] [--quiet] FILE...\n"), std::string::npos);
    // --version is checked on the installed programs by the package test.
    // Every command's help comes from its declaration through one writer: one stands for all.
    const auto help = Cli({"set-fps", "--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_NE(help.out.find("\nExample:\n  brelvo-cli set-fps "), std::string::npos) << help.out;
}

TEST(CliOutput, ControlCharactersFromTheFileNeverReachTheTerminal) {
    const std::string evil(
        "\x1b]0;owned\x07 \x81"
        "2J\0",
        15);  // 0x81 decodes to a C1 control
    const std::string path =
        WriteTempFile(Riff("AVI ", {List("hdrl", {Chunk("avih", AvihData({}))}),
                                    List("INFO", {Chunk("IART", ToBytes(evil))})}));
    const auto r = Cli({"info", path});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(r.out.ends_with("\nIART: ?]0;owned? ?2J\n")) << r.out;
}

TEST(CliReadOnly, InfoAndKeyframesLeaveTheFileUntouched) {
    // JUNK chunks and a dwScale of 1: everything that a load by the window rewrites.
    const std::string path = CopyFixture("ffmpeg_mpeg4_pcm.avi");
    const Bytes before = ReadWholeFile(path);
    const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::filesystem::last_write_time(path, past);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_EQ(Cli({"info", path}).status, kExitOk);
    EXPECT_EQ(Cli({"keyframes", path}).status, kExitOk);
    EXPECT_EQ(ReadWholeFile(path), before);
    EXPECT_EQ(std::filesystem::last_write_time(path), past);
}

}  // namespace
}  // namespace brelvo::cli
