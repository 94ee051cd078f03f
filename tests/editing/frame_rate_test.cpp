// SPDX-License-Identifier: GPL-2.0-or-later
// Frame rate edits: the dwRate and dwMicroSecPerFrame written for the bar and for typed
// rates, the refusals, and the proposed answer that reads back to the rate it shows.
#include "editing/frame_rate.h"

#include <gtest/gtest.h>

#include "avi/field_patch.h"
#include "platform/number_text.h"
#include "tests/support/decoded_movie.h"
#include "tests/support/test_movies.h"

namespace brelvo::editing {
namespace {

using testing::DecodedMovie;

TEST(FrameRateBar, StepsStayWithinTheLimits) {
    EXPECT_EQ(SteppedRateBar(22000, 10000), 32000);
    EXPECT_EQ(SteppedRateBar(22010, 10000), std::nullopt);
    EXPECT_EQ(SteppedRateBar(-31995, -10), std::nullopt);
}

TEST(AddFrameRate, PlansTheRateAndItsFrameTimeAndTheScaleOnlyWhenItChanges) {
    // 25 fps "-1 Frame"; typed 29.97, 0 and "fast"; 30000/1001.
    const int minusOneFrame = *SteppedRateBar(0, -10000);
    using Scale = std::optional<std::int32_t>;
    for (const auto& [rate, scale, dwRate, micro] :
         {std::tuple{250000 + std::int64_t{minusOneFrame}, Scale{}, 240000, 41666},
          std::tuple{TypedVideoRate("29.97"), Scale{}, 299700, 33366},
          std::tuple{TypedVideoRate("0"), Scale{}, 100000, 100000},
          std::tuple{TypedVideoRate("fast"), Scale{10000}, 100000, 100000},
          std::tuple{std::int64_t{30000}, Scale{1001}, 30000, 33366}}) {
        const DecodedMovie movie(
            testing::MakeSimpleMovie({.videoScale = 10000, .videoRate = 250000}));
        avi::HeaderEdit edit(movie.record);
        const auto change = AddFrameRate(edit, rate, scale);
        testing::Planned expected = {{"strh[0].dwRate", testing::Int32Bytes(dwRate)},
                                     {"avih.dwMicroSecPerFrame", testing::Int32Bytes(micro)}};
        if (scale == 1001) {
            expected.insert(expected.begin(), {"strh[0].dwScale", testing::Int32Bytes(1001)});
        }
        EXPECT_EQ(testing::Writes(edit.plan), expected) << dwRate;
        EXPECT_EQ(edit.record.videoRate, dwRate);
        EXPECT_EQ(edit.record.LastMainHeader()->microSecPerFrame, micro);
        EXPECT_DOUBLE_EQ(edit.record.framesPerSec, change.FramesPerSecAfter());
    }
    const auto texts = AppliedFrameRateTexts(240000, 10000);
    EXPECT_EQ(texts.microSecPerFrame, "MicroSeconds Per Frame: 41666.67");
    EXPECT_EQ(texts.framesPerSec, "Frames Per Sec: 24.0000");
    EXPECT_EQ(texts.fpsCaption, "FPS: 24.0000");
}

TEST(AddFrameRate, RefusesWhatCannotBeWritten) {
    DecodedMovie movie(testing::MakeSimpleMovie({.videoScale = 10000, .videoRate = 250000}));
    for (const std::int64_t rate : {std::int64_t{0}, TypedVideoRate("-3"),
                                    TypedVideoRate("300000"),  // 3e9 ten-thousandths
                                    std::int64_t{4}}) {        // a frame time beyond 32 bits
        avi::HeaderEdit edit(movie.record);
        EXPECT_THROW(AddFrameRate(edit, rate), avi::PatchRefused) << rate;
        EXPECT_TRUE(edit.plan.writes.empty());
    }
    // Over a million frames a second: a frame time of 0 microseconds.
    avi::HeaderEdit fast(movie.record);
    EXPECT_THROW(AddFrameRate(fast, 2147483647, 1), avi::PatchRefused);
    EXPECT_THROW(TypedVideoRate("0.00001"), avi::PatchRefused);  // below the grid
    movie.record.streams.clear();  // as if decoding had found no video stream header
    avi::HeaderEdit edit(movie.record);
    EXPECT_THROW(AddFrameRate(edit, 250000), avi::PatchRefused);
}

TEST(ProposedRateText, ReadsBackToTheSameRateWithEitherSeparator) {
    for (const char separator : {'.', ','}) {
        platform::SetDecimalSeparator(separator);
        EXPECT_EQ(ProposedRateText(299700, 10000), separator == '.' ? "29.9700" : "29,9700");
        for (std::int32_t rate = 1; rate < 2000000; rate += 37) {
            ASSERT_EQ(TypedVideoRate(ProposedRateText(rate, 10000)), rate) << separator;
        }
    }
    platform::SetDecimalSeparator('.');
    EXPECT_EQ(ProposedRateText(250000, 0), "");
}

}  // namespace
}  // namespace brelvo::editing
