// SPDX-License-Identifier: GPL-2.0-or-later
// brelvo-cli's failures and usage: one clear line per bad file with exit 1, usage errors with
// exit 2, help texts, terminal-safe output, and files left exactly as they were.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "platform/file_open_hook.h"
#include "platform/io_error.h"
#include "tests/cli/cli_run.h"
#include "tests/support/test_movies.h"

namespace brelvo::cli {
namespace {

using namespace brelvo::testing;
using testing::Cli;
using testing::CliInterleaved;

// One line on stderr that names the file and says why; nothing on stdout.
void ExpectFileFailure(const std::vector<std::string>& args, const std::string& reason) {
    const auto r = Cli(args);
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "brelvo-cli: " + args.back() + ": " + reason + "\n");
}

TEST(CliErrors, BadFilesGiveOneLineNamingTheFileAndTheReason) {
    const std::string text = WriteTempFile(ToBytes("just some text, not a movie"), "notes.avi");
    const std::string wave = WriteTempFile(Riff("WAVE", {Chunk("fmt ", WaveFormatData())}));
    const std::string empty = WriteTempFile({}, "empty.avi");
    const std::string folder = std::filesystem::path(text).parent_path().string();
    const std::string notAvi = "not an AVI file (it does not begin with RIFF ... AVI)";
    for (const char* command : {"info", "keyframes"}) {
        ExpectFileFailure({command, "/nonexistent/clip.avi"}, "no such file");
        ExpectFileFailure({command, text}, notAvi);
        ExpectFileFailure({command, wave}, notAvi);
        ExpectFileFailure({command, empty}, notAvi);
        ExpectFileFailure({command, folder}, "not a regular file (a folder or a device)");
    }
    ExpectFileFailure({"info", "--", "-x.avi"}, "no such file");

    SimpleMovie unindexed;
    unindexed.withIndex = false;
    ExpectFileFailure({"keyframes", WriteTempFile(MakeSimpleMovie(unindexed))},
                      "No index in this file.");

    platform::ScopedFileOpenHook refuse([](const std::string& p, platform::OpenMode,
                                           auto) -> std::unique_ptr<platform::RandomAccessFile> {
        throw platform::IoError(platform::FileOp::Open, p, "Permission denied");
    });
    ExpectFileFailure({"info", FixturePath("gst_mpeg4_video_only.avi")},
                      "cannot open the file: Permission denied");
}

TEST(CliErrors, OneBadFileAmongSeveralFailsTheRunButNotTheOthers) {
    const std::string good = FixturePath("ffmpeg_div3_video_only.avi");
    auto r = Cli({"keyframes", good, "/nonexistent.avi", good});
    EXPECT_EQ(r.status, kExitFailure);
    const std::string line = good + ": Frames 50 ( 5 * Key / 45 Delta.) Every 10\n";
    const std::string failure = "brelvo-cli: /nonexistent.avi: no such file\n";
    EXPECT_EQ(r.out, line + line);
    EXPECT_EQ(r.err, failure);

    r = Cli({"keyframes", "-q", good, "/nonexistent.avi", "--quiet", good});
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, failure);

    // Several movies: each starts with its path, a failed one's line stands in its place.
    const std::string both = CliInterleaved({"info", good, "/nonexistent.avi", good});
    const std::string movie = good + ":\nFilename: FFMPEG_DIV3_VIDEO_ONLY.AVI\n";
    ASSERT_TRUE(both.starts_with(movie)) << both;
    const auto failedAt = both.find("\n\n" + failure + "\n" + movie);
    EXPECT_NE(failedAt, std::string::npos) << both;
    EXPECT_EQ(both.find(movie, 1), failedAt + 2 + failure.size() + 1);
}

TEST(CliUsage, UsageErrorsExitTwoAndHelpShowsAnExample) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"info"},
                                                 {"info", "--jsn", "a.avi"},
                                                 {"keyframes"},
                                                 {"keyframes", "--force", "a.avi"},
                                                 {},
                                                 {"frobnicate", "a.avi"}}) {
        const auto r = Cli(args);
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_NE(r.err.find("Usage: brelvo-cli"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    const auto all = Cli({"--help"});
    EXPECT_NE(all.out.find("  info [--json] [--quiet] FILE...\n"), std::string::npos);
    EXPECT_NE(all.out.find("  keyframes [--json] [--quiet] FILE...\n"), std::string::npos);
    const auto version = Cli({"--version"});
    EXPECT_EQ(version.status, kExitOk);
    EXPECT_EQ(version.out, "brelvo-cli " BRELVO_VERSION "\n");
    for (const std::string command : {"info", "keyframes"}) {
        const auto r = Cli({command, "--help"});
        EXPECT_EQ(r.status, kExitOk);
        const auto examples = r.out.find("Example");
        ASSERT_NE(examples, std::string::npos);
        EXPECT_NE(r.out.find("\n  brelvo-cli " + command + ' ', examples), std::string::npos);
    }
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
    EXPECT_EQ(Cli({"info", "--json", path}).status, kExitOk);
    EXPECT_EQ(Cli({"keyframes", path}).status, kExitOk);
    EXPECT_EQ(ReadWholeFile(path), before);
    EXPECT_EQ(std::filesystem::last_write_time(path), past);
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read);
}

}  // namespace
}  // namespace brelvo::cli
