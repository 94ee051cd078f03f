// Frame rate edits: the dwRate and dwMicroSecPerFrame written for the bar and for typed
// rates, the refusals, and the proposed answer that reads back to the rate it shows.
#include "editing/frame_rate.h"

#include <gtest/gtest.h>

#include "avi/field_patch.h"
#include "platform/number_text.h"
#include "tests/editing/edit_test_movie.h"

namespace brelvo::editing {
namespace {

using testing::DecodedMovie;

TEST(FrameRateBar, StepsStayWithinTheLimits) {
    EXPECT_EQ(SteppedRateBar(22000, 10000), 32000);
    EXPECT_EQ(SteppedRateBar(22010, 10000), std::nullopt);
    EXPECT_EQ(SteppedRateBar(-31995, -10), std::nullopt);
}

TEST(ApplyFrameRate, WritesTheRateAndItsFrameTimeOnly) {
    // 25 fps "-1 Frame"; "+0.001" twice; typed 29.97, 0, "fast" and 23.97659.
    const int minusOneFrame = *SteppedRateBar(0, -10000);
    const int plusTwoThousandths = *SteppedRateBar(*SteppedRateBar(0, 10), 10);
    for (const auto& [rate, dwRate, micro] :
         {std::tuple{250000 + std::int64_t{minusOneFrame}, 240000, 41666},
          std::tuple{250000 + std::int64_t{plusTwoThousandths}, 250020, 39996},
          std::tuple{TypedVideoRate("29.97"), 299700, 33366},
          std::tuple{TypedVideoRate("0"), 100000, 100000},
          std::tuple{TypedVideoRate("fast"), 100000, 100000},
          std::tuple{TypedVideoRate("23.97659"), 239765, 41707}}) {
        DecodedMovie movie(testing::NormalisedMovie());
        const auto& r = movie.record;
        const auto change = ApplyFrameRate(movie.file, r, rate, std::nullopt);
        EXPECT_EQ(movie.Int32At(r.videoRateOffset), dwRate);
        EXPECT_EQ(movie.Int32At(r.microSecOffset), micro) << dwRate;
        EXPECT_EQ(change.before.microSecPerFrame, 40000);
        EXPECT_FALSE(change.scaleWritten);
        EXPECT_TRUE(
            testing::OnlyWithin(movie.Changed(), {{r.videoRateOffset, 4}, {r.microSecOffset, 4}}));
    }
    const auto texts = AppliedFrameRateTexts(240000, 10000);
    EXPECT_EQ(texts.label6, "MicroSeconds Per Frame: 41666.67");
    EXPECT_EQ(texts.label3, "Frames Per Sec: 24.0000");
    EXPECT_EQ(texts.label21, "FPS: 24.0000");
}

TEST(ApplyFrameRate, RefusesWhatCannotBeWrittenAndWritesNothing) {
    DecodedMovie movie(testing::NormalisedMovie());
    for (const std::int64_t rate : {std::int64_t{0}, TypedVideoRate("-3"),
                                    TypedVideoRate("300000"),  // 3e9 ten-thousandths
                                    std::int64_t{4}}) {        // a frame time beyond 32 bits
        EXPECT_THROW(ApplyFrameRate(movie.file, movie.record, rate, std::nullopt),
                     avi::PatchRefused)
            << rate;
    }
    // Over a million frames a second: a frame time of 0 microseconds.
    EXPECT_THROW(ApplyFrameRate(movie.file, movie.record, 2147483647, 1), avi::PatchRefused);
    try {
        TypedVideoRate("0.00001");  // positive, yet below the grid of ten-thousandths
        ADD_FAILURE() << "a rate below 0.0001 was taken";
    } catch (const avi::PatchRefused& e) {
        EXPECT_EQ(std::string(e.what()).find("0 or less"), std::string::npos) << e.what();
    }
    movie.record.streams.clear();  // as if decoding had found no video stream header
    EXPECT_THROW(ApplyFrameRate(movie.file, movie.record, 250000, std::nullopt), avi::PatchRefused);
    EXPECT_TRUE(movie.Changed().empty());
}

TEST(ApplyFrameRate, AnExactFractionWritesItsScaleToo) {
    DecodedMovie movie(testing::MakeSimpleMovie({}));  // dwScale 1, dwRate 25 as stored
    EXPECT_TRUE(ApplyFrameRate(movie.file, movie.record, 30000, 1001).scaleWritten);
    const auto& video = *movie.record.VideoStream();
    EXPECT_EQ(movie.Int32At(video.scaleField.offset), 1001);
    EXPECT_EQ(movie.Int32At(video.rateField.offset), 30000);
    EXPECT_EQ(movie.Int32At(movie.record.microSecOffset), 33366);
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
