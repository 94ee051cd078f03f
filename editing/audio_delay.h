// SPDX-License-Identifier: GPL-2.0-or-later
// Audio delay: the audio stream header's dwStart, the time in the stream's own units at which
// the sound starts, rewritten in place; the readouts of the "Delay Audio" bar.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "avi/header_record.h"
#include "avi/write_plan.h"

namespace brelvo::editing {

// HScroll2 counts in steps of four audio units, from 0 to this.
inline constexpr int kDelayBarMax = 32000;
inline constexpr std::int32_t kDelayUnitsPerStep = 4;

std::int32_t DelayOfBar(int barValue);  // barValue x 4

// Label19 while the bar moves: the delay an Apply would write, in seconds, (v x 4) x dwScale /
// dwRate in "0.00000" and " Sec."; nothing with a zero divisor.
std::optional<std::string> DelayBarReadout(int barValue, const avi::StreamHeader& audio);

// Label18 after an Apply: "Audio Delay: " (v x 4) / (dwRate / dwScale) in "0.00000" and
// " Sec."; nothing with a zero divisor.
std::optional<std::string> AppliedDelayText(int barValue, const avi::StreamHeader& audio);

// A delay in seconds as the stream's units (seconds x dwRate / dwScale, halves to even).
// Throws avi::PatchRefused for a negative delay, a zero divisor or a result beyond 32 bits.
std::int32_t DelayUnitsOfSeconds(double seconds, const avi::StreamHeader& audio);
// The delay of dwStart units in seconds; nothing with a zero divisor.
std::optional<double> DelaySecondsOfUnits(std::int32_t units, const avi::StreamHeader& audio);

// Adds dwStart of the document's audio stream; the stream's header follows (audioDelayStart
// keeps the value read at load, which the bar returns to). Returns the value the record had.
// Throws avi::PatchRefused without an audio stream header or for a negative start.
std::int32_t AddAudioDelay(avi::HeaderEdit& edit, std::int32_t start);

}  // namespace brelvo::editing
