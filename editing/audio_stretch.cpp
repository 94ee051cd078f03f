// SPDX-License-Identifier: GPL-2.0-or-later
// The audio stretch figure.
#include "editing/audio_stretch.h"

#include <cmath>

#include "avi/information_lines.h"
#include "editing/frame_rate.h"
#include "platform/number_text.h"

namespace brelvo::editing {

std::optional<double> StretchPercent(double totalFrames, double oldRate, double newRate,
                                     double audioLength) {
    if (oldRate <= 0.0 || newRate <= 0.0 || audioLength == 0.0) return std::nullopt;
    const double oldLength = totalFrames / oldRate;
    const double newLength = totalFrames / newRate;
    const double target =
        oldLength == newLength ? audioLength : audioLength * (newLength / oldLength);
    const double percent = target / audioLength * 100.0;
    if (!std::isfinite(percent)) return std::nullopt;
    return percent;
}

std::string StretchText(double percent) {
    return "Stretch to " + platform::FormatPattern(percent, platform::Pattern::Fixed4) + " %";
}

std::optional<double> AudioLengthSeconds(const avi::StreamHeader& audio) {
    if (audio.rate == 0 || audio.scale == 0) return std::nullopt;
    return audio.length / (static_cast<double>(audio.rate) / audio.scale);
}

StretchReadout StretchCalculation(double framesPerSec, std::int32_t videoRate, int barValue,
                                  std::int32_t totalFrames, std::string_view text1,
                                  std::string_view text11) {
    StretchReadout readout;
    if (framesPerSec == 0.0) return readout;
    // The bar counts in ten-thousandths whatever the scale: the file's scale is 10000 here.
    const double candidate =
        (static_cast<double>(videoRate) + barValue) / static_cast<double>(kRateScale);
    readout.fpsCaption = std::string(avi::InformationLine(avi::InfoLine::FrameRateCaption).prefix) +
                         platform::FormatPattern(candidate, platform::Pattern::Fixed4);
    const auto percent = StretchPercent(totalFrames, platform::ReadLeadingNumber(text1), candidate,
                                        platform::ReadLeadingNumber(text11));
    if (percent) readout.stretch = StretchText(*percent);
    return readout;
}

}  // namespace brelvo::editing
