// SPDX-License-Identifier: GPL-2.0-or-later
// brelvo-cli on the real fixture movies, cross-checked against what ffprobe reports for them
// (tests/fixtures/ffprobe-values.md): stream layout, FourCC, time bases, frame and sample
// counts, sizes, audio formats and the key-frame statistic.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/cli/cli_run.h"
#include "tests/support/riff_builder.h"

namespace brelvo::cli {
namespace {

using brelvo::testing::FixturePath;
using testing::Cli;

struct Audio {
    int index, sampleRate, channels, bits, scale, rate, length;
};
struct Fixture {
    const char* file;
    int videoIndex;
    const char* fourCC;
    int width, height, scale, rate, frames;
    std::vector<Audio> audio;
    const char* keyFrames;
};
void PrintTo(const Fixture& f, std::ostream* os) {
    *os << f.file;
}

const char* k5of50 = "Frames 50 ( 5 * Key / 45 Delta.) Every 10";
// clang-format off
const std::vector<Fixture> kFixtures = {
    {"ffmpeg_mpeg4_pcm.avi", 0, "FMP4", 160, 120, 1, 25, 50, {{1, 11025, 2, 16, 1, 11025, 22050}}, k5of50},
    {"ffmpeg_mjpeg_u8.avi", 0, "MJPG", 64, 48, 1, 15, 30, {{1, 8000, 1, 8, 1, 8000, 16000}}, "Frames 30 ( 30 * Key / 0 Delta.) Every 1"},
    {"ffmpeg_div3_video_only.avi", 0, "DIV3", 64, 48, 1, 25, 50, {}, k5of50},
    {"ffmpeg_unknown_fourcc.avi", 0, "ZZZZ", 64, 48, 1, 25, 50, {{1, 8000, 1, 16, 1, 8000, 16000}}, k5of50},
    {"ffmpeg_mpeg4_mp3.avi", 0, "FMP4", 64, 48, 1001, 30000, 62, {{1, 22050, 1, 0, 32, 1225, 79}}, "Frames 62 ( 5 * Key / 57 Delta.) Every 12"},
    {"ffmpeg_mpeg4_adpcm.avi", 0, "FMP4", 64, 48, 1, 25, 50, {{1, 11025, 2, 4, 1012, 11025, 22}}, k5of50},
    {"ffmpeg_info_items.avi", 0, "FMP4", 64, 48, 1, 25, 50, {{1, 8000, 1, 16, 1, 8000, 16000}}, k5of50},
    {"ffmpeg_audio_first.avi", 1, "FMP4", 64, 48, 1, 25, 50, {{0, 8000, 1, 16, 1, 8000, 16000}}, k5of50},
    {"ffmpeg_two_audio.avi", 0, "FMP4", 64, 48, 1, 25, 50, {{1, 8000, 2, 16, 1, 8000, 16000}, {2, 11025, 1, 8, 1, 11025, 22050}}, k5of50},
    {"gst_mjpeg_pcm.avi", 0, "MJPG", 64, 48, 1, 25, 50, {{1, 8000, 2, 16, 1, 8000, 16000}}, "Frames 50 ( 50 * Key / 0 Delta.) Every 1"},
    {"gst_mpeg4_video_only.avi", 0, "DIVX", 64, 48, 1, 25, 50, {}, k5of50},
};
// clang-format on

class FixtureValuesTest : public ::testing::TestWithParam<Fixture> {};

TEST_P(FixtureValuesTest, HeadersAndKeyFramesAgreeWithFfprobe) {
    const auto& f = GetParam();
    const auto r = Cli({"info", "--json", FixturePath(f.file)});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const auto json = nlohmann::json::parse(r.out).at(0);
    const auto& streams = json["streams"];
    ASSERT_EQ(streams.size(), f.audio.size() + 1);
    const auto& main = json["mainHeader"];
    EXPECT_EQ(main["streams"], streams.size());
    EXPECT_EQ(main["width"], f.width);
    EXPECT_EQ(main["height"], f.height);
    EXPECT_EQ(main["totalFrames"], f.frames);
    const auto& video = streams[f.videoIndex];
    EXPECT_EQ(video["type"], "vids");
    EXPECT_EQ(video["handler"], f.fourCC);
    EXPECT_EQ(video["compression"], f.fourCC);
    EXPECT_EQ(video["scale"], f.scale);
    EXPECT_EQ(video["rate"], f.rate);
    EXPECT_EQ(video["length"], f.frames);
    for (const auto& a : f.audio) {
        const auto& audio = streams[a.index];
        EXPECT_EQ(audio["type"], "auds");
        EXPECT_EQ(audio["samplesPerSec"], a.sampleRate);
        EXPECT_EQ(audio["channels"], a.channels);
        EXPECT_EQ(audio["bitsPerSample"], a.bits);
        EXPECT_EQ(audio["scale"], a.scale);
        EXPECT_EQ(audio["rate"], a.rate);
        EXPECT_EQ(audio["length"], a.length);
    }
    // The key-frame statistic counts the video stream's index entries.
    const auto keyFrames = Cli({"keyframes", FixturePath(f.file)});
    EXPECT_EQ(keyFrames.out, std::string(f.keyFrames) + "\n");
    const auto keyJson =
        nlohmann::json::parse(Cli({"keyframes", "--json", FixturePath(f.file)}).out);
    EXPECT_EQ(keyJson.at(0)["videoStream"], f.videoIndex);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureValuesTest, ::testing::ValuesIn(kFixtures));

}  // namespace
}  // namespace brelvo::cli
