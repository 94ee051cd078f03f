// SPDX-License-Identifier: GPL-2.0-or-later
// The stretch figure, the delay readouts and the audio delay edit.
#include <gtest/gtest.h>

#include "avi/field_patch.h"
#include "editing/audio_delay.h"
#include "editing/audio_stretch.h"
#include "tests/support/decoded_movie.h"
#include "tests/support/test_movies.h"

namespace brelvo::editing {
namespace {

avi::StreamHeader PcmHeader(std::int32_t rate = 176400, std::int32_t scale = 4,
                            std::int32_t sampleSize = 4) {  // 44100 blocks of 4 bytes
    avi::StreamHeader h;
    h.rate = rate;
    h.scale = scale;
    h.sampleSize = sampleSize;
    return h;
}

TEST(StretchCalculation, ShowsTheRateAndTheStretchOfTheSoundTrack) {
    const auto r = StretchCalculation(25.0, 250000, -10000, 1000, "25.0000", "40");
    EXPECT_EQ(r.fpsCaption, "FPS: 24.0000");
    EXPECT_EQ(r.stretch, "Stretch to 104.1667 %");
    // The sound is stretched as the picture is, however long it is: 3 s at 12 fps with 1.26 s
    // of sound, set to 24 fps, halves both.
    EXPECT_EQ(StretchCalculation(12.0, 120000, 120000, 36, "12.0000", "1.26").stretch,
              "Stretch to 50.0000 %");
    // Zero divisors leave the text as it is.
    EXPECT_EQ(StretchCalculation(25.0, 250000, -10000, 1000, "25.0000", "0").stretch, std::nullopt);
    EXPECT_EQ(StretchCalculation(25.0, 250000, 0, 1000, "", "40").stretch, std::nullopt);
    EXPECT_EQ(StretchCalculation(0.0, 250000, 10, 1000, "25", "40").fpsCaption, std::nullopt);
}

TEST(AudioDelayReadouts, TheBarShowsTheDelayTheApplyWrites) {
    // dwStart x dwScale / dwRate, whatever the sample size.
    for (const std::int32_t sampleSize : {4, 1, 0}) {
        const auto pcm = PcmHeader(176400, 4, sampleSize);
        EXPECT_EQ(DelayBarReadout(250, pcm), "0.02268 Sec.");
        EXPECT_EQ(AppliedDelayText(250, pcm), "Audio Delay: 0.02268 Sec.");
    }
    for (const auto& h : {PcmHeader(0), PcmHeader(176400, 0)}) {
        EXPECT_EQ(DelayBarReadout(250, h), std::nullopt);
        EXPECT_EQ(AppliedDelayText(250, h), std::nullopt);
    }
}

TEST(DelayUnits, SecondsBecomeStreamUnits) {
    EXPECT_EQ(DelayUnitsOfSeconds(0.25, PcmHeader()), 11025);
    EXPECT_EQ(DelayUnitsOfSeconds(0.5 / 44100, PcmHeader()), 0);  // half a unit: to even
    EXPECT_THROW(DelayUnitsOfSeconds(-1.0, PcmHeader()), avi::PatchRefused);
    EXPECT_THROW(DelayUnitsOfSeconds(1e6, PcmHeader()), avi::PatchRefused);
    EXPECT_THROW(DelayUnitsOfSeconds(1.0, PcmHeader(0)), avi::PatchRefused);
}

TEST(AddAudioDelay, PlansOnlyDwStartAndRefusesWithoutAudio) {
    const testing::DecodedMovie movie(testing::MakeSimpleMovie({}));
    avi::HeaderEdit edit(movie.record);
    EXPECT_EQ(AddAudioDelay(edit, DelayOfBar(250)), 0);
    EXPECT_EQ(testing::Writes(edit.plan),
              (testing::Planned{{"strh[1].dwStart", testing::Int32Bytes(1000)}}));
    EXPECT_EQ(edit.record.audioHeader->start, 1000);
    EXPECT_EQ(edit.record.audioDelayStart, 0);  // the load's value, which the bar returns to
    EXPECT_THROW(AddAudioDelay(edit, -4), avi::PatchRefused);

    const testing::DecodedMovie silent(testing::MakeSimpleMovie({.withAudio = false}));
    avi::HeaderEdit none(silent.record);
    EXPECT_THROW(AddAudioDelay(none, 1000), avi::PatchRefused);
}

}  // namespace
}  // namespace brelvo::editing
