// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli info --json`: the shape of the document, and offsets that name the very bytes
// the edit commands will patch (checked by reading the file at them).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/ansi_codec.h"
#include "platform/little_endian.h"
#include "platform/path_text.h"
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

class JsonOffsetsTest : public ::testing::TestWithParam<const char*> {};

TEST_P(JsonOffsetsTest, EveryOffsetNamesTheBytesOfItsValue) {
    const Bytes file = ReadWholeFile(FixturePath(GetParam()));
    const auto json = Json(FixturePath(GetParam()));
    EXPECT_EQ(json["fileSize"], file.size());
    for (const auto& s : json["streams"]) {
        EXPECT_EQ(TextAt(file, s["handlerOffset"].get<std::size_t>() - 4, 4), s["type"]);
        EXPECT_EQ(TextAt(file, s["handlerOffset"], 4), s["handler"]);
        EXPECT_EQ(Int32At(file, s["scaleOffset"]), s["scale"]);
        EXPECT_EQ(Int32At(file, s["rateOffset"]), s["rate"]);
        EXPECT_EQ(Int32At(file, s["startOffset"]), s["start"]);
        if (s["type"] == "vids") {
            EXPECT_EQ(TextAt(file, s["compressionOffset"], 4), s["compression"]);
        }
    }
    for (const auto& item : json["info"]) {
        const auto offset = item["offset"].get<std::size_t>();
        EXPECT_EQ(TextAt(file, offset - 8, 4), item["id"]);
        EXPECT_EQ(Int32At(file, offset - 4), item["size"]);
        EXPECT_EQ(TextAt(file, offset, item["text"].get<std::string>().size()), item["text"]);
    }
    for (const auto& row : json["chunks"]) {
        const auto position = row["position"].get<std::int64_t>();  // 1-based, after the id
        EXPECT_EQ(row["idOffset"], position - 5);
        EXPECT_EQ(platform::AsciiUpper(TextAt(file, row["idOffset"], 4)), row["id"]);
        // A MOVI row carries the size of the LIST whose type it is.
        EXPECT_EQ(Int32At(file, row["id"] == "MOVI" ? position - 9 : position - 1), row["size"]);
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, JsonOffsetsTest,
                         ::testing::Values("ffmpeg_mpeg4_pcm.avi", "ffmpeg_info_items.avi",
                                           "ffmpeg_audio_first.avi", "ffmpeg_two_audio.avi",
                                           "ffmpeg_mpeg4_mp3.avi", "gst_mjpeg_pcm.avi"));

TEST(InfoJson, StreamsItemsAndChunksOfAMovie) {
    const auto json = Json(FixturePath("ffmpeg_info_items.avi"));
    const auto& audio = json["streams"][1];
    EXPECT_EQ(audio["formatName"], "Microsoft PCM");
    EXPECT_EQ(audio["handler"], std::string("\x01\0\0\0", 4));  // as stored, NULs included
    EXPECT_FALSE(audio.contains("compression"));
    EXPECT_TRUE(json["displayName"].is_null());
    EXPECT_TRUE(Cli({"info", FixturePath("ffmpeg_info_items.avi")})
                    .out.ends_with("\nIART: Test Artist\nICMT: A comment, odd\n"
                                   "ICOP: (c) 2024 Nobody\nINAM: Fixture Title\n"));
}

TEST(InfoJson, FrameCountsOfALargeMovieAreToldApartAndItsDamagedIndexNoted) {
    using OdmlMovie = brelvo::testing::OdmlMovie;
    const auto path =
        WriteTempFile(MakeOdmlMovie({.damage = OdmlMovie::Damage::LastEntryBeyondFile}));
    EXPECT_EQ(Json(path)["frameCounts"], (nlohmann::json{{"avihTotalFrames", 4},
                                                         {"dmlhTotalFrames", 10},
                                                         {"totalFrames", 10},
                                                         {"totalFramesFrom", "dmlh"}}));
    // The count covers what could be read, and says so beside the statistic.
    const auto r = Cli({"keyframes", path});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out, "Frames 10 ( 3 * Key / 7 Delta.) Every 3\n");
    EXPECT_EQ(r.err, "brelvo-cli: " + path +
                         ": The index of this file is damaged (super index entry 3 points beyond "
                         "the end of the file): the key frames are counted as far as it can be "
                         "read.\n");
    const auto json = nlohmann::json::parse(Cli({"keyframes", "--json", path}).out).at(0);
    EXPECT_EQ(json["index"], "OpenDML");
    EXPECT_EQ(json["damage"], "super index entry 3 points beyond the end of the file");
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
    EXPECT_TRUE(
        Cli({"info", path}).out.ends_with("\nIART: Fran\u00e7ois\nDISP: Caf\u00e9 \u20ac\n"));
}

}  // namespace
}  // namespace brelvo::cli
