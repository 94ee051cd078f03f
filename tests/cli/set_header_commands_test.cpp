// set-fourcc, set-fps and set-delay on copies of real movies, checked by reading the files
// back: the bytes written, nothing else touched, dry runs, failures and usage errors.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/cli/cli_run.h"
#include "tests/cli/edit_command_files.h"
#include "tests/support/riff_builder.h"

namespace brelvo::cli {
namespace {

using brelvo::testing::CopyFixture;
using brelvo::testing::ReadWholeFile;
using testing::ChangedOffsets;
using testing::Cli;
using testing::MovieOnDisk;

// True when every offset lies in one of the 4-byte fields starting at the given offsets.
bool WithinFields(const std::vector<std::int64_t>& changed, std::vector<std::int64_t> fields) {
    return std::all_of(changed.begin(), changed.end(), [&](std::int64_t o) {
        return std::any_of(fields.begin(), fields.end(),
                           [&](std::int64_t f) { return o >= f && o < f + 4; });
    });
}

TEST(SetFourcc, WritesTheCodesAsGivenAndNothingElse) {
    const auto path = CopyFixture("ffmpeg_mpeg4_pcm.avi");
    const MovieOnDisk before(path);
    const auto r = Cli({"set-fourcc", "--handler", "XviD", "--compression=DIB", path});
    ASSERT_EQ(r.status, 0) << r.err;
    const MovieOnDisk after(path);
    EXPECT_EQ(after.FourAt(before.record.videoHandlerOffset), "XviD");
    EXPECT_EQ(after.FourAt(before.record.videoCompressionOffset), "DIB ");
    EXPECT_EQ(after.bytes.size(), before.bytes.size());
    EXPECT_TRUE(
        WithinFields(ChangedOffsets(before.bytes, after.bytes),
                     {before.record.videoHandlerOffset, before.record.videoCompressionOffset}));
    EXPECT_NE(r.out.find("\"FMP4\" -> \"XviD\""), std::string::npos) << r.out;
}

TEST(SetFourcc, DryRunWritesNothing) {
    const auto path = CopyFixture("ffmpeg_mpeg4_pcm.avi");
    const auto before = ReadWholeFile(path);
    const auto r = Cli({"set-fourcc", "--dry-run", "--handler", "XVID", path});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("dry run"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(path), before);
}

TEST(SetFourcc, AFileWithoutTheFieldFailsAndTheOthersStillRun) {
    // An audio-only movie has no video stream header.
    using namespace brelvo::testing;
    const auto audioOnly =
        WriteTempFile(Riff("AVI ", {List("hdrl", {Chunk("avih", AvihData({})),
                                                  List("strl", {Chunk("strh", StrhData({"auds"})),
                                                                Chunk("strf", WaveFormatData())})}),
                                    List("movi", {})}));
    const auto good = CopyFixture("ffmpeg_mjpeg_u8.avi");
    const auto missingBefore = ReadWholeFile(audioOnly);
    const auto r = Cli({"set-fourcc", "--handler", "XVID", audioOnly, "/no/such.avi", good});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(audioOnly + ": the movie has no video stream header"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("/no/such.avi"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(audioOnly), missingBefore);
    EXPECT_EQ(MovieOnDisk(good).record.videoHandler, "XVID");
}

TEST(EditCommands, UsageErrorsExitWith2) {
    const auto path = CopyFixture("ffmpeg_mpeg4_pcm.avi");
    const auto before = ReadWholeFile(path);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"set-fourcc", path},
                                                 {"set-fourcc", "--handler", "TOOLONG", path},
                                                 {"set-fourcc", "--handler"},
                                                 {"set-fps", "0", path},
                                                 {"set-fps", "abc", path},
                                                 {"set-fps", "30000/0", path},
                                                 {"set-fps", "25"},
                                                 {"set-delay", "-0.5", path},
                                                 {"set-delay", "--units", "x", path},
                                                 {"set-info", path},
                                                 {"set-info", "--artist", "A", "--bogus", path}}) {
        EXPECT_EQ(Cli(args).status, 2) << args[1];
    }
    EXPECT_EQ(ReadWholeFile(path), before);
    for (const char* command : {"set-fourcc", "set-fps", "set-delay", "set-info"}) {
        const auto help = Cli({command, "--help"});
        EXPECT_EQ(help.status, 0);
        EXPECT_NE(help.out.find("Example"), std::string::npos) << command;
    }
    EXPECT_NE(Cli({"set-delay", "--help"}).out.find("some players ignore dwStart"),
              std::string::npos);
}

TEST(SetFps, AnExactFractionWritesScaleRateAndFrameTime) {
    const auto path = CopyFixture("ffmpeg_mpeg4_pcm.avi");  // 25/1, 50 frames, 2 s of sound
    const MovieOnDisk before(path);
    const auto r = Cli({"set-fps", "30000/1001", path});
    ASSERT_EQ(r.status, 0) << r.err;
    const MovieOnDisk after(path);
    const auto& video = *after.record.VideoStream();
    EXPECT_EQ(video.header.scale, 1001);
    EXPECT_EQ(video.header.rate, 30000);
    EXPECT_EQ(after.record.LastMainHeader()->microSecPerFrame, 33366);
    EXPECT_TRUE(WithinFields(
        ChangedOffsets(before.bytes, after.bytes),
        {video.scaleField.offset, video.rateField.offset, after.record.microSecOffset}));
    // 50 frames: 2 s become 1.668 s, so 2 s of sound would be stretched to 83.4167 %.
    EXPECT_NE(r.out.find("Stretch to 83.4167 %"), std::string::npos) << r.out;
}

TEST(SetFps, ADecimalRateIsWrittenAsTenThousandths) {
    const auto path = CopyFixture("ffmpeg_mpeg4_mp3.avi");  // 30000/1001
    ASSERT_EQ(Cli({"set-fps", "23.97659", path}).status, 0);
    const auto& video = *MovieOnDisk(path).record.VideoStream();
    EXPECT_EQ(video.header.scale, 10000);
    EXPECT_EQ(video.header.rate, 239765);
}

TEST(SetDelay, SecondsOrUnitsBecomeDwStartAndNothingIsNormalised) {
    const auto path = CopyFixture("ffmpeg_mpeg4_pcm.avi");  // audio 11025 blocks/s, video 25/1
    const MovieOnDisk before(path);
    auto r = Cli({"set-delay", "0.5", path});
    ASSERT_EQ(r.status, 0) << r.err;
    MovieOnDisk after(path);
    EXPECT_EQ(after.Int32At(before.record.audioStartOffset), 5512);   // 5512.5 to even
    EXPECT_EQ(ChangedOffsets(before.bytes, after.bytes).size(), 2u);  // 0 -> 0x1588
    EXPECT_EQ(after.record.VideoStream()->header.scale, 1);

    r = Cli({"set-delay", "--units", "1000", path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(MovieOnDisk(path).Int32At(before.record.audioStartOffset), 1000);
    EXPECT_NE(r.out.find("0.49995 s (5512 units) -> 0.09070 s (1000 units)"), std::string::npos)
        << r.out;
}

TEST(SetDelay, AMovieWithoutSoundFails) {
    const auto path = CopyFixture("ffmpeg_div3_video_only.avi");
    const auto before = ReadWholeFile(path);
    const auto r = Cli({"set-delay", "1", path});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no audio stream header"), std::string::npos) << r.err;
    EXPECT_EQ(ReadWholeFile(path), before);
}

}  // namespace
}  // namespace brelvo::cli
