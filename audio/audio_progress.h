// SPDX-License-Identifier: GPL-2.0-or-later
// Progress of the audio tools as the core reports it, and the texts the faces make of it.
#pragma once

#include <chrono>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace brelvo::audio {

struct AudioProgress {
    int percent = 0;              // of the movie walked, rounded down
    std::int64_t position = 0;    // bytes of the movie walked
    std::int64_t total = 0;       // the movie's length
    std::int64_t audioBytes = 0;  // sample bytes copied so far
    double seconds = 0.0;         // since the operation started
};

// Told each time the whole percentage grows; a window lets pending events run here.
class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    // May throw OperationCancelled to stop the extraction.
    virtual void OnProgress(const AudioProgress& progress) = 0;
};

// Turns a walk's position into AudioProgress reports, one per whole percent.
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

// Stops an extraction from its progress report (the window was closed meanwhile): the
// temporary file goes, and no WAV file is written.
class OperationCancelled : public std::exception {
  public:
    const char* what() const noexcept override { return "The operation was cancelled."; }
};

// The speed of the walk through the movie in KiB per second; nothing when no time has passed.
std::optional<double> KBPerSecond(const AudioProgress& progress);

// The extraction's progress caption: "42% - 0375.00 KBsec".
std::string ExtractionCaption(int percent, double kbPerSecond);
// The re-integration's progress caption: "37%".
std::string ReintegrationCaption(int percent);

// The WAV name check both tools make before anything else.
inline constexpr std::string_view kWavNameMessage = "Please Enter Filename in form FILE.WAV";
bool IsWavFileName(std::string_view name);

}  // namespace brelvo::audio
