// SPDX-License-Identifier: GPL-2.0-or-later
// Frame rate editing: the video stream header's dwRate (ten-thousandths of a frame per second
// once dwScale is 10000) and the main header's dwMicroSecPerFrame, which follows from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "avi/header_record.h"
#include "avi/write_plan.h"

namespace brelvo::editing {

// The step buttons keep the bar within these limits; the bar itself reaches +-32767.
inline constexpr int kRateStepLimit = 32000;
inline constexpr std::int32_t kRateScale = 10000;

// The bar value after a step, or nothing when the step would pass the limits.
std::optional<int> SteppedRateBar(int barValue, int step);

// dwRate for a typed rate at dwScale 10000: the leading number of the answer, 10 frames per
// second when it is 0 or no number, times 10000 rounded down. A text that names a whole number
// of ten-thousandths reads as exactly that number despite binary fractions. Throws
// avi::PatchRefused for a positive rate below one ten-thousandth; otherwise not range-checked:
// FrameRateFieldsFor refuses what does not fit.
std::int64_t TypedVideoRate(std::string_view answer);

// The proposed answer of the "Desired Frame Rate" input box: the rate in the "0.0000" pattern
// with the locale's separator, which TypedVideoRate reads back to the same dwRate. Empty
// without a time scale.
std::string ProposedRateText(std::int32_t videoRate, std::int32_t videoScale);

struct FrameRateFields {
    std::int32_t rate = 0;
    std::int32_t scale = 0;
    std::int32_t microSecPerFrame = 0;  // 1000000 / (rate / scale), rounded down
};

// Throws avi::PatchRefused for a rate of 0 or less, a rate or frame time beyond 32 bits, a
// rate whose frame time would be 0 microseconds, or a scale of 0 or less.
FrameRateFields FrameRateFieldsFor(std::int64_t rate, std::int64_t scale);

// The lines an Apply shows for the rate now written: the frame time (1000000 / fps in "0.00"),
// the frames per second and the frame-rate tab's caption (fps in "0.0000"). Empty texts with a
// zero divisor.
struct FrameRateTexts {
    std::string microSecPerFrame, framesPerSec, fpsCaption;
};
FrameRateTexts AppliedFrameRateTexts(std::int32_t rate, std::int32_t scale);

struct FrameRateChange {
    FrameRateFields before;  // as the record had them
    FrameRateFields after;

    double FramesPerSecBefore() const;
    double FramesPerSecAfter() const;
};

// Adds dwRate and dwMicroSecPerFrame for the rate at the video stream's scale; with `newScale`
// the stream's dwScale too (when it differs); the record's rate values follow. Throws
// avi::PatchRefused.
FrameRateChange AddFrameRate(avi::HeaderEdit& edit, std::int64_t newRate,
                             std::optional<std::int32_t> newScale = std::nullopt);

}  // namespace brelvo::editing
