// SPDX-License-Identifier: GPL-2.0-or-later
// Turns the walk's position into AudioProgress reports, one per whole percent.
#pragma once

#include <chrono>

#include "audio/audio_progress.h"

namespace brelvo::audio {

class ProgressMeter {
  public:
    ProgressMeter(ProgressSink* sink, std::int64_t total);
    void Update(std::int64_t position, std::int64_t audioBytes);

  private:
    ProgressSink* sink_;
    std::int64_t total_;
    int lastPercent_ = -1;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace brelvo::audio
