// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli check` and `repair` on real movies cut short where users' movies are cut (inside
// a frame, inside idx1; a cut inside the header list is the diagnosis's own case): after a repair
// the movie plays, as ffprobe sees it, for the whole frames it holds. (That nothing mendable is
// left is the diagnosis's own test.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "tests/cli/cli_run.h"
#include "tests/support/riff_builder.h"

namespace brelvo::cli {
namespace {

using namespace brelvo::testing;
using testing::Cli;

// ffprobe's duration of the movie in seconds, or nothing without ffprobe.
std::optional<double> ProbedSeconds(const std::string& path) {
    const auto out = testing::Ffprobe("-show_entries format=duration -of csv=p=0", path);
    return out ? std::optional(std::atof(out->c_str())) : std::nullopt;
}

std::string CutCopy(std::string_view fixture, std::size_t length) {
    Bytes bytes = ReadWholeFile(FixturePath(fixture));
    bytes.resize(length);
    return WriteTempFile(bytes);
}

TEST(Repair, CutMoviesPlayForTheWholeFramesTheyHold) {
    const struct {
        std::string_view fixture;
        std::size_t cut;
        double seconds;
    } cuts[] = {
        {"ffmpeg_mpeg4_pcm.avi", 60000, 0.84},  // inside an audio chunk: 21 whole frames
        {"ffmpeg_mpeg4_pcm.avi", 125000, 2.0},  // inside idx1
        {"gst_mjpeg_pcm.avi", 100000, 1.12},    // inside a frame: 28 whole frames
    };
    for (const auto& c : cuts) {
        SCOPED_TRACE(std::string(c.fixture) + " cut at " + std::to_string(c.cut));
        const auto path = CutCopy(c.fixture, c.cut);
        EXPECT_EQ(Cli({"check", path}).status, kExitFailure);
        const auto repaired = Cli({"repair", path});
        // Each cut leaves what overwriting cannot mend: a cut chunk, a missing or short index.
        EXPECT_EQ(repaired.status, kExitFailure) << repaired.err;
        EXPECT_NE(repaired.out.find("left alone:"), std::string::npos) << repaired.out;
        EXPECT_EQ(ReadWholeFile(path).size(), c.cut);
        // Without ffprobe there is no player's view to compare.
        EXPECT_NEAR(ProbedSeconds(path).value_or(c.seconds), c.seconds, 1e-6);
    }
}

TEST(Repair, CommandLinesAndReports) {
    // avih.dwTotalFrames and avih.dwStreams of FFmpeg's movies stand at 48 and 56.
    Bytes bytes = ReadWholeFile(FixturePath("ffmpeg_mpeg4_pcm.avi"));
    const Bytes original = bytes;
    bytes[48] = std::byte{49};
    bytes[56] = std::byte{3};
    const auto path = WriteTempFile(bytes);

    const auto dry = Cli({"repair", "-n", path});
    EXPECT_EQ(dry.status, kExitOk) << dry.err;
    EXPECT_NE(dry.out.find("avih.dwTotalFrames 49 -> 50 (total-frames-mismatch) (dry run"),
              std::string::npos)
        << dry.out;
    EXPECT_EQ(ReadWholeFile(path), bytes);

    EXPECT_EQ(Cli({"repair", "--only", "stream-count-mismatch", path}).status, kExitFailure);

    EXPECT_EQ(Cli({"repair", path}).status, kExitOk);
    EXPECT_EQ(ReadWholeFile(path), original);
    const auto clean = Cli({"check", path});
    EXPECT_EQ(clean.status, kExitOk);
    EXPECT_NE(clean.out.find("no faults found"), std::string::npos) << clean.out;
}

}  // namespace
}  // namespace brelvo::cli
