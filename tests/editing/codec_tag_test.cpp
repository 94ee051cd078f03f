// Codec tag edits: the bytes the window and brelvo-cli write, the two fields' independence,
// and the refusals and failures that leave the file as it was.
#include "editing/codec_tag.h"

#include <gtest/gtest.h>

#include "avi/field_patch.h"
#include "platform/file_open_hook.h"
#include "platform/io_error.h"
#include "tests/editing/edit_test_movie.h"

namespace brelvo::editing {
namespace {

using testing::DecodedMovie;

TEST(CodecTagBytes, WindowWritesTheListTagInLowerCaseCliWritesItAsGiven) {
    const auto window = [](std::string_view combo) {
        return WindowCodecBytes(CodecTagOfComboText(combo));
    };
    EXPECT_EQ(window("RGB  - Uncompressed"), "rgb ");
    EXPECT_EQ(window("DIB - MS Bitmap"), "dib ");
    EXPECT_EQ(window("CVID  - Radius Cinepak"), "cvid");
    EXPECT_EQ(window("DIV3 - MPEG4 V3 Cracked ;)"), "div3");
    EXPECT_EQ(window(""), "");  // nothing is written

    EXPECT_EQ(TypedCodecBytes("XviD"), "XviD");
    EXPECT_EQ(TypedCodecBytes("DIB"), "DIB ");
    EXPECT_THROW(TypedCodecBytes("\xC3\xA9"), avi::PatchRefused);  // no "?" stand-in
    EXPECT_THROW(TypedCodecBytes(std::string("a\tb", 3)), avi::PatchRefused);
    EXPECT_THROW(TypedCodecBytes(""), avi::PatchRefused);
    EXPECT_THROW(TypedCodecBytes("XVID1"), avi::PatchRefused);
}

TEST(ApplyCodecTag, WritesOnlyTheFourBytesOfItsOwnField) {
    DecodedMovie movie(testing::MakeSimpleMovie({}));
    const auto handler = movie.record.videoHandlerOffset;
    const auto compression = movie.record.videoCompressionOffset;

    const auto dry =
        ApplyCodecTag(movie.file, movie.record, CodecTarget::Handler, "rgb ", WriteMode::DryRun);
    EXPECT_EQ(dry.oldBytes, "DIV3");
    EXPECT_TRUE(movie.Changed().empty());

    ApplyCodecTag(movie.file, movie.record, CodecTarget::Handler, "rgb ");
    EXPECT_EQ(movie.BytesAt(handler, 4), "rgb ");
    EXPECT_EQ(movie.BytesAt(compression, 4), "DIV3");  // the other Apply's field
    ApplyCodecTag(movie.file, movie.record, CodecTarget::Compression, "cvid");
    EXPECT_EQ(movie.BytesAt(compression, 4), "cvid");
    EXPECT_EQ(movie.Changed().size(), 8u);
    EXPECT_TRUE(testing::OnlyWithin(movie.Changed(), {{handler, 4}, {compression, 4}}));
}

TEST(ApplyCodecTag, RefusesAFieldDecodingDidNotRecord) {
    // A movie whose only stream is audio has neither field; offset 0 must never be written.
    using namespace testing;
    DecodedMovie movie(
        Riff("AVI ", {List("hdrl", {Chunk("avih", AvihData({})),
                                    List("strl", {Chunk("strh", StrhData({"auds"})),
                                                  Chunk("strf", WaveFormatData())})}),
                      List("movi", {})}));
    for (const auto target : {CodecTarget::Handler, CodecTarget::Compression}) {
        EXPECT_THROW(ApplyCodecTag(movie.file, movie.record, target, "xvid"), avi::PatchRefused);
    }
    EXPECT_TRUE(movie.Changed().empty());
}

TEST(ApplyCodecTag, AMovieThatCannotBeOpenedForWritingIsReportedAndLeftAsItWas) {
    const auto bytes = testing::MakeSimpleMovie({});
    const auto path = testing::WriteTempFile(bytes);
    const DecodedMovie movie(bytes);
    const platform::ScopedFileOpenHook refuseWriting(
        [](const std::string& p, platform::OpenMode mode,
           std::unique_ptr<platform::RandomAccessFile> opened) {
            if (mode != platform::OpenMode::Read) {
                throw platform::IoError(platform::FileOp::Open, p, "held by another program");
            }
            return opened;
        });
    try {
        ApplyCodecTag(path, movie.record, CodecTarget::Handler, "xvid");
        FAIL() << "the write was reported as done";
    } catch (const platform::IoError& e) {
        EXPECT_EQ(e.Path(), path);
        EXPECT_EQ(e.Reason(), "held by another program");
    }
    EXPECT_EQ(testing::ReadWholeFile(path), bytes);
}

}  // namespace
}  // namespace brelvo::editing
