// SPDX-License-Identifier: GPL-2.0-or-later
// The audio stretch figure: by how much the sound track would have to be stretched to keep its
// length in step when the video's frame rate changes. Only shown, never written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "avi/header_record.h"

namespace brelvo::editing {

// The target length of the sound track, in per cent of its length: stretched in the same
// proportion as the picture's length changes from oldRate to newRate (frames per second), so
// that both stay in step however long the sound is. Nothing when the audio length is 0 or a
// rate is not positive.
std::optional<double> StretchPercent(double totalFrames, double oldRate, double newRate,
                                     double audioLength);

// "Stretch to 104.1667 %"
std::string StretchText(double percent);

// The length of the sound track in seconds from its stream header (dwLength / (dwRate /
// dwScale)); nothing with a zero divisor.
std::optional<double> AudioLengthSeconds(const avi::StreamHeader& audio);

// What HScroll1_Change shows: the frame-rate caption and the stretch, each left as it is when
// empty.
struct StretchReadout {
    std::optional<std::string> fpsCaption;  // "FPS: 24.0000"
    std::optional<std::string> stretch;     // "Stretch to 104.1667 %"
};

// The stretch calculation of the "Stretch Audio" frame. framesPerSec 0 (nothing decoded)
// switches it off; `text1` is the rate found at load, `text11` the audio length typed by the
// user, both read as leading numbers.
StretchReadout StretchCalculation(double framesPerSec, std::int32_t videoRate, int barValue,
                                  std::int32_t totalFrames, std::string_view text1,
                                  std::string_view text11);

}  // namespace brelvo::editing
