// SPDX-License-Identifier: GPL-2.0-or-later
// Progress reports.
#include "audio/progress_meter.h"

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

}  // namespace brelvo::audio
