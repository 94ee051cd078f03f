// SPDX-License-Identifier: GPL-2.0-or-later
// Progress reports and texts.
#include "audio/audio_progress.h"

#include "platform/number_text.h"
#include "platform/path_text.h"

namespace brelvo::audio {

ProgressMeter::ProgressMeter(ProgressSink* sink, std::int64_t total)
    : sink_(sink), total_(total), start_(std::chrono::steady_clock::now()) {}

void ProgressMeter::Update(std::int64_t position, std::int64_t audioBytes) {
    if (!sink_ || total_ <= 0) return;
    const auto percent = static_cast<int>(position * 100 / total_);
    if (percent <= lastPercent_) return;
    lastPercent_ = percent;
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
    sink_->OnProgress(AudioProgress{percent, position, total_, audioBytes, elapsed.count()});
}

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
