// SPDX-License-Identifier: GPL-2.0-or-later
// set-info on a movie written by FFmpeg: items rewritten within their room, lacking items
// reported and never added, and the result as ffprobe reads it.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "tests/cli/cli_run.h"
#include "tests/editing/edit_test_movie.h"
#include "tests/support/riff_builder.h"

namespace brelvo::cli {
namespace {

using namespace brelvo::testing;
using testing::Cli;

std::string ItemData(const DecodedMovie& m, std::string_view id) {
    for (const auto& item : m.record.textItems) {
        if (item.id == id) return item.bytes;
    }
    return "(none)";
}

TEST(SetInfo, RewritesItemsInTheirRoomAndWarnsOfCutText) {
    const auto path = CopyFixture("ffmpeg_info_items.avi");  // IART 12 bytes, INAM 14
    const auto r = Cli({"set-info", "--artist", "Jane", "--name", "A title far too long", path});
    ASSERT_EQ(r.status, 0) << r.err;
    const DecodedMovie after(ReadWholeFile(path));
    EXPECT_EQ(ItemData(after, "IART"), std::string("Jane       \0", 12));
    EXPECT_EQ(ItemData(after, "INAM"), "A title far to");
    EXPECT_NE(r.err.find("warning: the text for INAM was cut"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("IART \"Test Artist\" -> \"Jane       \""), std::string::npos) << r.out;
}

TEST(SetInfo, ALackingItemIsReportedAndTheFileLeftAsItWas) {
    const auto path = CopyFixture("ffmpeg_info_items.avi");
    const auto before = ReadWholeFile(path);
    const auto r = Cli({"set-info", "--artist", "Jane", "--source", "Tape", path});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no ISRC item"), std::string::npos) << r.err;
    EXPECT_EQ(ReadWholeFile(path), before);
    EXPECT_EQ(Cli({"set-info", "-n", "--artist", "Jane", path}).status, 0);
    EXPECT_EQ(ReadWholeFile(path), before);
}

// ffprobe's answer for one entry of a file, e.g. "stream=avg_frame_rate".
std::string Probe(const std::string& path, const std::string& entries) {
    const std::string command = "ffprobe -v error -select_streams v:0 -show_entries " + entries +
                                " -of default=noprint_wrappers=1 '" + path + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    std::array<char, 256> buffer{};
    while (pipe && fgets(buffer.data(), buffer.size(), pipe.get()) != nullptr) out += buffer.data();
    return out;
}

TEST(EditsAsFfprobeSeesThem, FrameRateAndAuthorItems) {
    if (std::system("command -v ffprobe >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ffprobe is not installed (scripts/install-deps installs ffmpeg)";
    }
    const auto path = CopyFixture("ffmpeg_info_items.avi");
    ASSERT_EQ(Cli({"set-fps", "30000/1001", path}).status, 0);
    ASSERT_EQ(
        Cli({"set-info", "--artist", "Another Art", "--copyright", "Caf\xC3\xA9", path}).status, 0);
    const auto probe =
        Probe(path, "stream=avg_frame_rate,time_base:format_tags=artist,title,copyright");
    EXPECT_NE(probe.find("avg_frame_rate=30000/1001"), std::string::npos) << probe;
    EXPECT_NE(probe.find("time_base=1001/30000"), std::string::npos) << probe;
    EXPECT_NE(probe.find("TAG:artist=Another Art\n"), std::string::npos) << probe;
    EXPECT_NE(probe.find("TAG:title=Fixture Title\n"), std::string::npos) << probe;
    // FFmpeg reads INFO text as UTF-8; the 1252 byte of "é" reaches it as one invalid byte.
    EXPECT_NE(probe.find("TAG:copyright=Caf"), std::string::npos) << probe;
}

}  // namespace
}  // namespace brelvo::cli
