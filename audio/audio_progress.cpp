// SPDX-License-Identifier: GPL-2.0-or-later
// Progress texts.
#include "audio/audio_progress.h"

#include "platform/number_text.h"
#include "platform/path_text.h"

namespace brelvo::audio {

std::optional<double> KBPerSecond(const AudioProgress& progress) {
    if (!(progress.seconds > 0.0)) return std::nullopt;
    return static_cast<double>(progress.position) / 1024.0 / progress.seconds;
}

std::string ExtractionCaption(int percent, double kbPerSecond) {
    return std::to_string(percent) + "% - " +
           platform::FormatPattern(kbPerSecond, platform::Pattern::Width4Fixed2) + " KBsec";
}

std::string ReintegrationCaption(int percent) {
    return std::to_string(percent) + "%";
}

bool IsWavFileName(std::string_view name) {
    return !name.empty() && platform::EndsWithUpper(name, ".WAV");
}

}  // namespace brelvo::audio
