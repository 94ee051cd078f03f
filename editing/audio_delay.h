// Audio delay: the audio stream header's dwStart, the time in the stream's own units at which
// the sound starts, rewritten in place; the readouts of the "Delay Audio" bar.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "avi/field_ref.h"
#include "avi/header_record.h"
#include "editing/field_edit.h"
#include "platform/random_access_file.h"

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

struct AudioDelayChange {
    avi::FieldRef field;
    std::int32_t before = 0;  // as read from the file
    std::int32_t after = 0;
    bool written = false;
};

// Writes dwStart at the document's audioStartOffset. Throws avi::PatchRefused (nothing
// written) or platform::IoError.
AudioDelayChange ApplyAudioDelay(platform::RandomAccessFile& file, const avi::HeaderRecord& record,
                                 std::int32_t start, WriteMode mode = WriteMode::Write);
AudioDelayChange ApplyAudioDelay(const std::string& path, const avi::HeaderRecord& record,
                                 std::int32_t start, WriteMode mode = WriteMode::Write);

}  // namespace brelvo::editing
