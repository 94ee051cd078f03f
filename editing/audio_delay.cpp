// SPDX-License-Identifier: GPL-2.0-or-later
// Audio delay.
#include "editing/audio_delay.h"

#include <cmath>

#include "avi/field_patch.h"
#include "platform/number_text.h"
#include "platform/rounding.h"

namespace brelvo::editing {
namespace {

constexpr std::string_view kNoAudio =
    "the movie has no audio stream header, so there is no audio delay to change";

std::optional<std::string> SecondsText(double seconds) {
    if (!std::isfinite(seconds)) return std::nullopt;
    return platform::FormatPattern(seconds, platform::Pattern::Fixed5) + " Sec.";
}

}  // namespace

std::int32_t DelayOfBar(int barValue) {
    return barValue * kDelayUnitsPerStep;
}

std::optional<std::string> DelayBarReadout(int barValue, const avi::StreamHeader& audio) {
    const auto seconds = DelaySecondsOfUnits(DelayOfBar(barValue), audio);
    if (!seconds) return std::nullopt;
    return SecondsText(*seconds);
}

std::optional<std::string> AppliedDelayText(int barValue, const avi::StreamHeader& audio) {
    const auto text = DelayBarReadout(barValue, audio);
    if (!text) return std::nullopt;
    return "Audio Delay: " + *text;
}

std::int32_t DelayUnitsOfSeconds(double seconds, const avi::StreamHeader& audio) {
    if (!(seconds >= 0.0)) throw avi::PatchRefused("a negative audio delay cannot be written");
    if (audio.rate == 0 || audio.scale == 0) {
        throw avi::PatchRefused("the audio stream header has no time base (dwRate " +
                                std::to_string(audio.rate) + ", dwScale " +
                                std::to_string(audio.scale) + ")");
    }
    const auto units = platform::ToInt32(
        platform::RoundHalfEven(seconds * (static_cast<double>(audio.rate) / audio.scale)));
    if (!units || *units < 0) {
        throw avi::PatchRefused("an audio delay of " + platform::FormatGeneral(seconds) +
                                " seconds does not fit in dwStart");
    }
    return *units;
}

std::optional<double> DelaySecondsOfUnits(std::int32_t units, const avi::StreamHeader& audio) {
    if (audio.rate == 0 || audio.scale == 0) return std::nullopt;
    return units / (static_cast<double>(audio.rate) / audio.scale);
}

std::int32_t AddAudioDelay(avi::HeaderEdit& edit, std::int32_t start) {
    auto& record = edit.record;
    const auto* field = record.FieldAt(record.audioStartOffset, 4);
    if (field == nullptr) throw avi::PatchRefused(std::string(kNoAudio));
    if (start < 0) throw avi::PatchRefused("a negative audio delay cannot be written");
    edit.plan.AddInt32(*field, start);
    std::int32_t before = 0;
    for (auto& s : record.streams) {
        if (s.startField != *field) continue;
        before = s.header.start;
        s.header.start = start;
        if (record.audioHeader) record.audioHeader->start = start;
    }
    return before;
}

}  // namespace brelvo::editing
