// SPDX-License-Identifier: GPL-2.0-or-later
// The layouts of large, live, DV and multi-stream writers: the whole movie's frame count,
// the running time and the key-frame statistic, each from the index that covers the movie.
#include <gtest/gtest.h>

#include "avi/key_frames.h"
#include "avi/load_display.h"
#include "tests/support/decoded_movie.h"
#include "tests/support/test_movies.h"

namespace brelvo::avi {
namespace {

using namespace brelvo::testing;
using Damage = OdmlMovie::Damage;

struct Layout {
    const char* name;
    Bytes movie;
    int frames;             // the information tab's lines: frames
    std::string seconds;    // and running time
    std::string keyFrames;  // the caption, empty: no index
    std::string damage;     // what the note names, empty: the index was read whole
};

std::string Line(const std::vector<std::string>& lines, std::string_view start) {
    for (const auto& line : lines) {
        if (line.starts_with(start)) return line;
    }
    return "(no " + std::string(start) + " line)";
}

TEST(MovieLayouts, WholeMovieCountsAndKeyFramesFromTheIndexThatCoversIt) {
    const std::string kOdmlKeys = "Frames 10 ( 4 * Key / 6 Delta.) Every 2";
    const std::string kDamagedKeys = "Frames 10 ( 3 * Key / 7 Delta.) Every 3";
    const Layout layouts[] = {
        {"three OpenDML parts", MakeOdmlMovie({}), 10, "0.4000", kOdmlKeys, ""},
        {"OpenDML without idx1", MakeOdmlMovie({.withIdx1 = false}), 10, "0.4000", kOdmlKeys, ""},
        {"idx1 alone counts its part", MakeOdmlMovie({.withSuperIndex = false}), 10, "0.4000",
         "Frames 10 ( 2 * Key / 8 Delta.) Every 5", ""},
        {"super index entry past the end", MakeOdmlMovie({.damage = Damage::LastEntryBeyondFile}),
         10, "0.4000", kDamagedKeys, "super index entry 3 points beyond the end of the file"},
        {"super index entry at a frame", MakeOdmlMovie({.damage = Damage::LastEntryAtAFrame}), 10,
         "0.4000", kDamagedKeys, "super index entry 3 points at no standard index"},
        {"super index of no use beside idx1",
         MakeOdmlMovie({.framesPerPart = {4}, .damage = Damage::LastEntryBeyondFile}), 4, "0.1600",
         "Frames 4 ( 2 * Key / 2 Delta.) Every 2",
         "super index entry 1 points beyond the end of the file; idx1 was counted instead"},
        {"standard index claiming too much", MakeOdmlMovie({.damage = Damage::LastIndexOverclaims}),
         10, "0.4000", kOdmlKeys, "a standard index lists more entries than its chunk holds"},
        {"streamed to a pipe", MakeStreamedMovie(5), 5, "0.2000", "", ""},
        {"type-1 DV", MakeTypeOneDvMovie(4), 4, "0.1600", "Frames 4 ( 4 * Key / 0 Delta.) Every 1",
         ""},
        {"three video streams", MakeThreeVideoStreamMovie(), 50, "2.0000",
         "Frames 20 ( 2 * Key / 18 Delta.) Every 10 (last of 3 video streams)", ""},
    };
    for (const auto& layout : layouts) {
        SCOPED_TRACE(layout.name);
        DecodedMovie m(layout.movie, true);
        const auto& record = m.record;
        const auto lines = InformationTabLines(record, m.chunkMap, "/clips/x.avi", m.file.Length());
        EXPECT_EQ(Line(lines, "Frames:"), "Frames: " + std::to_string(layout.frames));
        EXPECT_EQ(Line(lines, "Running Time:"), "Running Time: " + layout.seconds + " Secs.");
        EXPECT_EQ(record.rangeTo, record.totalFrames);
        const auto count = CountMovieKeyFrames(m.file, m.chunkMap, record);
        EXPECT_EQ(count.index == KeyFrameIndex::None ? "" : MovieKeyFrameCaption(count),
                  layout.keyFrames);
        EXPECT_EQ(count.damage, layout.damage);
        EXPECT_EQ(KeyFrameDamageNote(count).empty(), layout.damage.empty());
    }
}

TEST(MovieLayouts, TypeOneDvIsTheVideoStreamWithoutACompressionCodeOrSound) {
    const DecodedMovie m(MakeTypeOneDvMovie(4), true);
    const auto& record = m.record;
    ASSERT_NE(record.VideoStream(), nullptr);
    EXPECT_EQ(record.videoHandler, "DVSD");
    EXPECT_EQ(record.videoCompressionOffset, 0);  // Apply Stream has nothing to write
    EXPECT_EQ(record.AudioStream(), nullptr);
}

}  // namespace
}  // namespace brelvo::avi
