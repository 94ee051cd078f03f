// set-fourcc, set-fps and set-delay on copies of real movies, checked by reading the files
// back: the bytes written, nothing else touched, dry runs, failures and usage errors.
#include <gtest/gtest.h>

#include "tests/cli/cli_run.h"
#include "tests/editing/edit_test_movie.h"

namespace brelvo::cli {
namespace {

using namespace brelvo::testing;
using testing::Cli;

DecodedMovie OnDisk(const std::string& path) {
    return DecodedMovie(ReadWholeFile(path));
}

TEST(SetFourcc, WritesTheCodesAsGivenAndNothingElse) {
    const auto path = CopyFixture("ffmpeg_mpeg4_pcm.avi");
    const auto before = OnDisk(path);
    const auto handler = before.record.videoHandlerOffset;
    const auto compression = before.record.videoCompressionOffset;
    auto r = Cli({"set-fourcc", "--dry-run", "--handler", "XVID", path});
    EXPECT_NE(r.out.find("dry run"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(path), before.original);

    r = Cli({"set-fourcc", "--handler", "XviD", "--compression=DIB", path});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto after = OnDisk(path);
    EXPECT_EQ(after.BytesAt(handler, 4), "XviD");
    EXPECT_EQ(after.BytesAt(compression, 4), "DIB ");
    EXPECT_TRUE(OnlyWithin(ChangedOffsets(before.original, after.original),
                           {{handler, 4}, {compression, 4}}));
    EXPECT_NE(r.out.find("\"FMP4\" -> \"XviD\""), std::string::npos) << r.out;
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

TEST(SetFps, FractionsAndDecimalsWriteScaleRateAndFrameTime) {
    const auto path = CopyFixture("ffmpeg_mpeg4_pcm.avi");  // 25/1, 50 frames, 2 s of sound
    const auto before = OnDisk(path);
    auto r = Cli({"set-fps", "30000/1001", path});
    ASSERT_EQ(r.status, 0) << r.err;
    auto after = OnDisk(path);
    const auto& video = *after.record.VideoStream();
    EXPECT_EQ(video.header.scale, 1001);
    EXPECT_EQ(video.header.rate, 30000);
    EXPECT_EQ(after.record.LastMainHeader()->microSecPerFrame, 33366);
    EXPECT_TRUE(OnlyWithin(ChangedOffsets(before.original, after.original),
                           {{video.scaleField.offset, 8}, {after.record.microSecOffset, 4}}));
    // 50 frames: 2 s become 1.668 s, so 2 s of sound would be stretched to 83.4167 %.
    EXPECT_NE(r.out.find("Stretch to 83.4167 %"), std::string::npos) << r.out;

    ASSERT_EQ(Cli({"set-fps", "23.97659", path}).status, 0);
    after = OnDisk(path);
    EXPECT_EQ(after.record.VideoStream()->header.scale, 10000);
    EXPECT_EQ(after.record.VideoStream()->header.rate, 239765);
}

TEST(SetDelay, SecondsOrUnitsBecomeDwStartAndNothingIsNormalised) {
    const auto path = CopyFixture("ffmpeg_mpeg4_pcm.avi");  // audio 11025 blocks/s, video 25/1
    const auto before = OnDisk(path);
    const auto offset = before.record.audioStartOffset;
    ASSERT_EQ(Cli({"set-delay", "0.5", path}).status, 0);
    auto after = OnDisk(path);
    EXPECT_EQ(after.Int32At(offset), 5512);  // 5512.5 to even
    EXPECT_TRUE(OnlyWithin(ChangedOffsets(before.original, after.original), {{offset, 4}}));

    const auto r = Cli({"set-delay", "--units", "1000", path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(OnDisk(path).Int32At(offset), 1000);
    EXPECT_NE(r.out.find("0.49995 s (5512 units) -> 0.09070 s (1000 units)"), std::string::npos)
        << r.out;
}

}  // namespace
}  // namespace brelvo::cli
