// SPDX-License-Identifier: GPL-2.0-or-later
// Frame rate editing.
#include "editing/frame_rate.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "avi/field_patch.h"
#include "avi/information_lines.h"
#include "platform/number_text.h"
#include "platform/rounding.h"

namespace brelvo::editing {
namespace {

constexpr double kMicroSecondsPerSecond = 1000000.0;
constexpr double kTypedDefaultRate = 10.0;
// Far beyond any 32-bit rate, and still exact in 64 bits.
constexpr double kRateClamp = 4611686018427387904.0;  // 2^62

// The video stream whose dwRate the document names.
avi::StreamRecord* RateStream(avi::HeaderRecord& record) {
    for (auto& s : record.streams) {
        if (s.rateField.Recorded() && s.rateField.offset == record.videoRateOffset) return &s;
    }
    return nullptr;
}

// The main header whose dwMicroSecPerFrame the document names.
avi::MainHeader* FrameTimeHeader(avi::HeaderRecord& record) {
    for (auto& h : record.mainHeaders) {
        if (h.microSecPerFrameField.Recorded() &&
            h.microSecPerFrameField.offset == record.microSecOffset) {
            return &h;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<int> SteppedRateBar(int barValue, int step) {
    const int next = barValue + step;
    if (next < -kRateStepLimit || next > kRateStepLimit) return std::nullopt;
    return next;
}

std::int64_t TypedVideoRate(std::string_view answer) {
    double rate = platform::ReadLeadingNumber(answer);
    if (rate == 0.0) rate = kTypedDefaultRate;
    const double product = rate * kRateScale;
    // 29.97 is 29.969999... in binary; its product must still count as 299700, or the
    // proposed answer would not read back to the rate it shows.
    const double nearest = platform::RoundHalfEven(product);
    double whole = std::fabs(product - nearest) <= std::fabs(product) * 1e-12
                       ? nearest
                       : platform::RoundDown(product);
    whole = std::clamp(whole, -kRateClamp, kRateClamp);
    if (rate > 0.0 && whole < 1.0) {
        throw avi::PatchRefused("a frame rate of " + std::string(answer) +
                                " is below 0.0001, the smallest the header can hold");
    }
    return static_cast<std::int64_t>(whole);
}

std::string ProposedRateText(std::int32_t videoRate, std::int32_t videoScale) {
    if (videoScale == 0) return {};
    return platform::FormatPattern(static_cast<double>(videoRate) / videoScale,
                                   platform::Pattern::Fixed4);
}

FrameRateFields FrameRateFieldsFor(std::int64_t rate, std::int64_t scale) {
    if (scale <= 0) {
        throw avi::PatchRefused("the video stream header has no time scale (dwScale " +
                                std::to_string(scale) + ")");
    }
    if (scale > std::numeric_limits<std::int32_t>::max()) {
        throw avi::PatchRefused("a time scale of " + std::to_string(scale) +
                                " does not fit in the header");
    }
    if (rate <= 0) {
        throw avi::PatchRefused("a frame rate of 0 or less cannot be written");
    }
    const auto rate32 = platform::ToInt32(static_cast<double>(rate));
    if (!rate32 || rate > std::numeric_limits<std::int32_t>::max()) {
        throw avi::PatchRefused("the frame rate is too large: its dwRate " + std::to_string(rate) +
                                " does not fit in 32 bits");
    }
    const double framesPerSec = static_cast<double>(rate) / static_cast<double>(scale);
    const auto micro =
        platform::ToInt32(platform::RoundDown(kMicroSecondsPerSecond / framesPerSec));
    if (!micro) {
        throw avi::PatchRefused(
            "the frame rate is too small: its frame time does not fit in "
            "dwMicroSecPerFrame");
    }
    if (*micro <= 0) {
        throw avi::PatchRefused(
            "the frame rate is too large: a frame would last less than a microsecond "
            "(dwMicroSecPerFrame 0)");
    }
    return FrameRateFields{*rate32, static_cast<std::int32_t>(scale), *micro};
}

FrameRateTexts AppliedFrameRateTexts(std::int32_t rate, std::int32_t scale) {
    if (rate == 0 || scale == 0) return {};
    const double fps = static_cast<double>(rate) / scale;
    const auto fpsText = platform::FormatPattern(fps, platform::Pattern::Fixed4);
    const auto line = [](avi::InfoLine key, const std::string& value) {
        return std::string(avi::InformationLine(key).prefix) + value;
    };
    return {line(avi::InfoLine::MicroSecPerFrame,
                 platform::FormatPattern(kMicroSecondsPerSecond / fps, platform::Pattern::Fixed2)),
            line(avi::InfoLine::FramesPerSec, fpsText),
            line(avi::InfoLine::FrameRateCaption, fpsText)};
}

double FrameRateChange::FramesPerSecBefore() const {
    return before.scale == 0 ? 0.0 : static_cast<double>(before.rate) / before.scale;
}
double FrameRateChange::FramesPerSecAfter() const {
    return after.scale == 0 ? 0.0 : static_cast<double>(after.rate) / after.scale;
}

FrameRateChange AddFrameRate(avi::HeaderEdit& edit, std::int64_t newRate,
                             std::optional<std::int32_t> newScale) {
    auto& record = edit.record;
    auto* stream = RateStream(record);
    if (stream == nullptr) {
        throw avi::PatchRefused(
            "the movie has no video stream header, so its frame rate cannot be changed");
    }
    auto* main = FrameTimeHeader(record);
    if (main == nullptr) {
        throw avi::PatchRefused(
            "the movie has no main header, so its frame time cannot be changed");
    }
    FrameRateChange change;
    change.before = {stream->header.rate, stream->header.scale, main->microSecPerFrame};
    change.after = FrameRateFieldsFor(newRate, newScale.value_or(change.before.scale));
    if (change.after.scale != change.before.scale) {
        edit.plan.AddInt32(stream->scaleField, change.after.scale);
    }
    edit.plan.AddInt32(stream->rateField, change.after.rate);
    edit.plan.AddInt32(main->microSecPerFrameField, change.after.microSecPerFrame);
    stream->header.rate = record.videoRate = change.after.rate;
    stream->header.scale = record.videoScale = change.after.scale;
    main->microSecPerFrame = change.after.microSecPerFrame;
    record.framesPerSec = change.FramesPerSecAfter();
    return change;
}

}  // namespace brelvo::editing
