// SPDX-License-Identifier: GPL-2.0-or-later
// set-fourcc, set-fps and set-delay on copies of real movies, checked by reading the files
// back: the bytes written, nothing else touched, dry runs, failures and usage errors; and the
// JSON of every edit command against the bytes it wrote.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/ansi_codec.h"
#include "tests/cli/cli_run.h"
#include "tests/editing/edit_test_movie.h"

namespace brelvo::cli {
namespace {

using namespace brelvo::testing;
using testing::Cli;

DecodedMovie OnDisk(const std::string& path) {
    return DecodedMovie(ReadWholeFile(path));
}

TEST(SetFourcc, WritesBothCodesAsGivenAndSaysOldAndNew) {
    const auto path = CopyFixture("ffmpeg_mpeg4_pcm.avi");
    const auto before = OnDisk(path);
    auto r = Cli({"set-fourcc", "--dry-run", "--handler", "XVID", path});
    EXPECT_NE(r.out.find("\"FMP4\" -> \"XVID\" (dry run, nothing written)"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(path), before.original);

    r = Cli({"set-fourcc", "--handler", "XviD", "--compression=DIB", path});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto after = OnDisk(path);
    EXPECT_EQ(after.BytesAt(before.record.videoHandlerOffset, 4), "XviD");
    EXPECT_EQ(after.BytesAt(before.record.videoCompressionOffset, 4), "DIB ");
    EXPECT_NE(r.out.find(path + ": strh[0].fccHandler \"FMP4\" -> \"XviD\"\n"), std::string::npos)
        << r.out;
}

TEST(EditCommands, AFileThatFailsIsReportedAndTheOthersStillRun) {
    const auto silent = CopyFixture("ffmpeg_div3_video_only.avi");
    const auto good = CopyFixture("ffmpeg_mjpeg_u8.avi");
    const auto silentBefore = ReadWholeFile(silent);
    auto r = Cli({"set-delay", "1", silent, "/no/such.avi", good});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(silent + ": the movie has no audio stream header"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("/no/such.avi"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(silent), silentBefore);
    EXPECT_EQ(OnDisk(good).record.audioHeader->start, 8000);
}

TEST(EditCommands, UsageErrorsExitWith2AndHelpShowsAnExample) {
    const auto path = CopyFixture("ffmpeg_mpeg4_pcm.avi");
    const auto before = ReadWholeFile(path);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"set-fourcc", path},
                                                 {"set-fourcc", "--handler", "TOOLONG", path},
                                                 {"set-fourcc", "--handler"},
                                                 {"set-fps", "0", path},
                                                 {"set-fps", "abc", path},
                                                 {"set-fps", "30000/0", path},
                                                 {"set-fps", "2147483647/1", path},
                                                 {"set-fps", "0.00001", path},
                                                 {"set-fps", "25"},
                                                 {"set-delay", "-0.5", path},
                                                 {"set-delay", "--units", "x", path},
                                                 {"set-info", path},
                                                 {"set-info", "--artist", "A", "--bogus", path}}) {
        EXPECT_EQ(Cli(args).status, 2) << args[1];
    }
    EXPECT_EQ(ReadWholeFile(path), before);
    // A FourCC is printable ASCII: a character it cannot hold is refused, not replaced.
    const auto notAscii = Cli({"set-fourcc", "--handler", "\xE2\x82\xAC", path});  // the euro
    EXPECT_EQ(notAscii.status, 1);
    EXPECT_NE(notAscii.err.find("printable ASCII"), std::string::npos) << notAscii.err;
    EXPECT_EQ(ReadWholeFile(path), before);
    for (const char* command : {"set-fourcc", "set-fps", "set-delay", "set-info"}) {
        EXPECT_NE(Cli({command, "--help"}).out.find("Example"), std::string::npos) << command;
    }
    EXPECT_NE(Cli({"set-delay", "--help"}).out.find("some players ignore dwStart"),
              std::string::npos);
}

TEST(SetFps, AFractionWritesScaleRateAndFrameTime) {
    const auto path = CopyFixture("ffmpeg_mpeg4_pcm.avi");  // 25/1, 50 frames, 2 s of sound
    const auto before = OnDisk(path);
    auto r = Cli({"set-fps", "30000/1001", path});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto after = OnDisk(path);
    const auto& video = *after.record.VideoStream();
    EXPECT_EQ(video.header.scale, 1001);
    EXPECT_EQ(video.header.rate, 30000);
    EXPECT_EQ(after.record.LastMainHeader()->microSecPerFrame, 33366);
    EXPECT_TRUE(OnlyWithin(ChangedOffsets(before.original, after.original),
                           {{video.scaleField.offset, 8}, {after.record.microSecOffset, 4}}));
    // 50 frames: 2 s become 1.668 s, so 2 s of sound would be stretched to 83.4167 %.
    EXPECT_NE(r.out.find("Stretch to 83.4167 %"), std::string::npos) << r.out;
}

TEST(SetDelay, SecondsOrUnitsBecomeDwStartAndNothingIsNormalised) {
    const auto path = CopyFixture("ffmpeg_mpeg4_pcm.avi");  // audio 11025 blocks/s, video 25/1
    const auto before = OnDisk(path);
    const auto offset = before.record.audioStartOffset;
    ASSERT_EQ(Cli({"set-delay", "0.5", path}).status, 0);
    const auto after = OnDisk(path);
    EXPECT_EQ(after.Int32At(offset), 5512);  // 5512.5 to even
    EXPECT_TRUE(OnlyWithin(ChangedOffsets(before.original, after.original), {{offset, 4}}));
    const auto r = Cli({"set-delay", "--units", "1000", path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(OnDisk(path).Int32At(offset), 1000);
    EXPECT_NE(r.out.find("0.49995 s (5512 units) -> 0.09070 s (1000 units)"), std::string::npos)
        << r.out;
}

// Every edit command's --json names each field it wrote: the bytes at its offset are the new
// value, every byte that changed lies in one of them, and a dry run names the same fields.
TEST(EditCommands, JsonNamesEveryFieldWrittenAtItsOffset) {
    const std::vector<std::pair<std::vector<std::string>, std::size_t>> edits = {
        {{"set-fourcc", "--handler", "XVID", "--compression", "dx50"}, 2},
        {{"set-fps", "30000/1001"}, 3},  // dwScale, dwRate, dwMicroSecPerFrame
        {{"set-delay", "0.25"}, 1},
        {{"set-info", "--artist", "A longer artist than the item", "--name", "N", "--copyright",
          "(c) 2024 Nobody"},
         3}};
    for (const auto& [edit, fieldCount] : edits) {
        const auto path = CopyFixture("ffmpeg_info_items.avi");
        const auto before = ReadWholeFile(path);
        const auto run = [&](std::vector<std::string> options) {
            std::vector<std::string> args = edit;
            args.insert(args.begin() + 1, options.begin(), options.end());
            args.push_back(path);
            const auto r = Cli(args);
            EXPECT_EQ(r.status, kExitOk) << r.err;
            return nlohmann::json::parse(r.out).at(0);
        };
        const auto dry = run({"--json", "--dry-run"});
        EXPECT_EQ(ReadWholeFile(path), before);
        const auto json = run({"--json"});
        EXPECT_EQ(json["path"], path);
        EXPECT_EQ(dry["dryRun"], true);
        EXPECT_EQ(json["dryRun"], false);
        EXPECT_EQ(dry["changes"], json["changes"]) << edit[0];
        ASSERT_EQ(json["changes"].size(), fieldCount) << json;

        const Bytes after = ReadWholeFile(path);
        std::vector<std::pair<std::int64_t, std::int64_t>> fields;
        for (const auto& c : json["changes"]) {
            const auto offset = c["offset"].get<std::size_t>();
            const auto width = c["width"].get<std::size_t>();
            fields.emplace_back(offset, width);
            const auto value = [&](const Bytes& file) -> nlohmann::json {
                if (c["new"].is_number()) return platform::ReadI32(file, offset);
                std::string bytes(reinterpret_cast<const char*>(file.data()) + offset, width);
                while (!bytes.empty() && bytes.back() == '\0') bytes.pop_back();
                return platform::AnsiToUtf8(bytes);
            };
            EXPECT_EQ(value(before), c["old"]) << c;
            EXPECT_EQ(value(after), c["new"]) << c;
        }
        const auto changed = ChangedOffsets(before, after);
        EXPECT_FALSE(changed.empty());
        EXPECT_TRUE(OnlyWithin(changed, fields)) << edit[0];
    }
}

}  // namespace
}  // namespace brelvo::cli
