// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli info --json` and `keyframes` on the real fixture movies, cross-checked against
// what ffprobe reports for them (tests/fixtures/ffprobe-values.md), with offsets that name the
// very bytes the edit commands will patch (checked by reading the file at them); texts,
// display names and a damaged index on movies built in code.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/ansi_codec.h"
#include "platform/little_endian.h"
#include "tests/cli/cli_run.h"
#include "tests/support/riff_builder.h"
#include "tests/support/test_movies.h"

namespace brelvo::cli {
namespace {

using namespace brelvo::testing;
using testing::Cli;

// The object `info --json` prints for one movie.
nlohmann::json Json(const std::string& file) {
    const auto r = Cli({"info", "--json", file});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    return nlohmann::json::parse(r.out).at(0);
}

std::string TextAt(const Bytes& file, std::size_t offset, std::size_t length) {
    return platform::AnsiToUtf8(
        std::string_view(reinterpret_cast<const char*>(file.data() + offset), length));
}
std::int32_t Int32At(const Bytes& file, std::int64_t offset) {
    return platform::ReadI32(file, static_cast<std::size_t>(offset));
}

// Every offset in the JSON names the bytes of its value.
void ExpectOffsetsNameTheirBytes(const std::string& path, const nlohmann::json& json) {
    const Bytes file = ReadWholeFile(path);
    EXPECT_EQ(json["fileSize"], file.size());
    for (const auto& s : json["streams"]) {
        EXPECT_EQ(TextAt(file, s["handlerOffset"], 4), s["handler"]);
        EXPECT_EQ(Int32At(file, s["scaleOffset"]), s["scale"]);
        EXPECT_EQ(Int32At(file, s["rateOffset"]), s["rate"]);
        EXPECT_EQ(Int32At(file, s["startOffset"]), s["start"]);
        if (s["type"] == "vids") {
            EXPECT_EQ(TextAt(file, s["compressionOffset"], 4), s["compression"]);
        }
    }
}

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

// The values of these keys of a JSON object, in order.
nlohmann::json Values(const nlohmann::json& object, std::initializer_list<const char*> keys) {
    auto values = nlohmann::json::array();
    for (const char* key : keys) values.push_back(object.at(key));
    return values;
}

class FixtureValuesTest : public ::testing::TestWithParam<Fixture> {};

TEST_P(FixtureValuesTest, HeadersAgreeWithFfprobeAndOffsetsNameTheirBytes) {
    const auto& f = GetParam();
    const auto json = Json(FixturePath(f.file));
    const auto& streams = json["streams"];
    ASSERT_EQ(streams.size(), f.audio.size() + 1);
    EXPECT_EQ(Values(json["mainHeader"], {"streams", "width", "height", "totalFrames"}),
              nlohmann::json::array({streams.size(), f.width, f.height, f.frames}));
    EXPECT_EQ(Values(streams[f.videoIndex],
                     {"type", "handler", "compression", "scale", "rate", "length"}),
              nlohmann::json::array({"vids", f.fourCC, f.fourCC, f.scale, f.rate, f.frames}));
    for (const auto& a : f.audio) {
        EXPECT_EQ(Values(streams[a.index], {"type", "samplesPerSec", "channels", "bitsPerSample",
                                            "scale", "rate", "length"}),
                  nlohmann::json::array(
                      {"auds", a.sampleRate, a.channels, a.bits, a.scale, a.rate, a.length}));
    }
    ExpectOffsetsNameTheirBytes(FixturePath(f.file), json);
    // The key-frame statistic counts the video stream's index entries.
    const auto keyFrames = Cli({"keyframes", FixturePath(f.file)});
    EXPECT_EQ(keyFrames.out, std::string(f.keyFrames) + "\n");
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureValuesTest, ::testing::ValuesIn(kFixtures));

// The count covers what could be read, and says so beside the statistic.
TEST(Keyframes, ADamagedIndexIsNotedBesideTheCount) {
    using OdmlMovie = brelvo::testing::OdmlMovie;
    const auto path =
        WriteTempFile(MakeOdmlMovie({.damage = OdmlMovie::Damage::LastEntryBeyondFile}));
    const auto r = Cli({"keyframes", path});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out, "Frames 10 ( 3 * Key / 7 Delta.) Every 3\n");
    EXPECT_EQ(r.err, "brelvo-cli: " + path +
                         ": The index of this file is damaged (super index entry 3 points beyond "
                         "the end of the file): the key frames are counted as far as it can be "
                         "read.\n");
}

TEST(InfoJson, TextsAreDecodedFromWindows1252AndTheDisplayNameSkipsItsFormatNumber) {
    Bytes disp;
    AppendU32(disp, 1);  // clipboard format CF_TEXT
    AppendText(disp, std::string("Caf\xE9 \x80\0", 7));
    const auto path = WriteTempFile(
        Riff("AVI ", {List("hdrl", {Chunk("avih", AvihData({}))}), Chunk("DISP", disp),
                      List("INFO", {Chunk("IART", ToBytes(std::string("Fran\xE7ois\0\0", 10)))})}));
    const auto json = Json(path);
    EXPECT_EQ(json["displayName"], "Caf\u00e9 \u20ac");
    EXPECT_EQ(json["info"][0]["text"], "Fran\u00e7ois");
}

}  // namespace
}  // namespace brelvo::cli
