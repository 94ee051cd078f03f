// SPDX-License-Identifier: GPL-2.0-or-later
// Codec tag edits: the bytes the window and brelvo-cli write, each into its own field.
#include "editing/codec_tag.h"

#include <gtest/gtest.h>

#include "avi/field_patch.h"
#include "tests/support/decoded_movie.h"
#include "tests/support/test_movies.h"

namespace brelvo::editing {
namespace {

using testing::DecodedMovie;

TEST(CodecTagBytes, WindowWritesTheListTagInLowerCaseCliWritesItAsGiven) {
    const auto window = [](std::string_view combo) {
        return WindowCodecBytes(CodecTagOfComboText(combo));
    };
    EXPECT_EQ(window("RGB  - Uncompressed"), "rgb ");  // the window's tests apply DIB too
    EXPECT_EQ(window(""), "");                         // nothing is written

    EXPECT_EQ(TypedCodecBytes("XviD"), "XviD");
    EXPECT_EQ(TypedCodecBytes("DIB"), "DIB ");
    EXPECT_THROW(TypedCodecBytes("\xC3\xA9"), avi::PatchRefused);  // no "?" stand-in
    EXPECT_THROW(TypedCodecBytes(""), avi::PatchRefused);
    EXPECT_THROW(TypedCodecBytes("XVID1"), avi::PatchRefused);
}

TEST(AddCodecTag, PlansTheFourBytesOfEachOwnFieldAndTheRecordFollows) {
    const DecodedMovie movie(testing::MakeSimpleMovie({}));
    avi::HeaderEdit edit(movie.record);
    AddCodecTag(edit, CodecTarget::Handler, "rgb ");
    AddCodecTag(edit, CodecTarget::Compression, "cvid");
    EXPECT_EQ(testing::Writes(edit.plan), (testing::Planned{{"strh[0].fccHandler", "rgb "},
                                                            {"strf[0].biCompression", "cvid"}}));
    EXPECT_EQ(edit.record.videoHandler, "RGB ");
    EXPECT_EQ(edit.record.videoCompression, "CVID");
    EXPECT_EQ(edit.record.VideoStream()->header.fccHandler, "rgb ");
}

}  // namespace
}  // namespace brelvo::editing
