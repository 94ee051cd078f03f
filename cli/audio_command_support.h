// SPDX-License-Identifier: GPL-2.0-or-later
// What the two audio commands share: the progress line on a terminal, the sound track of a
// loaded movie, and failure lines that name the file concerned.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "audio/audio_progress.h"
#include "audio/audio_track.h"
#include "cli/cli_commands.h"
#include "cli/file_reports.h"

namespace brelvo::cli {

// Rewrites one line of the terminal with the tool's caption; writes nothing under --quiet or
// when stderr is not a terminal (or not the process's own), so logs and pipes stay clean.
class TerminalProgress final : public audio::ProgressSink {
  public:
    enum class Kind { Extraction, Reintegration };
    TerminalProgress(CommandIo io, Kind kind, bool quiet);
    ~TerminalProgress() override;  // clears the line
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void OnProgress(const audio::AudioProgress& progress) override;

  private:
    std::ostream* terminal_;
    Kind kind_;
    std::size_t shown_ = 0;
};

// The sound stream that decoding finds, with its format chunk: the one the window uses (the
// last), or the n-th sound stream (1-based, in the order `info --json` lists the streams).
// Throws MovieLoadError or audio::AudioError.
audio::AudioTrack SoundTrackOf(const std::string& moviePath,
                               std::optional<int> nthSoundStream = std::nullopt);

// The value of --stream among parsed option values: a whole number from 1. Throws UsageError.
std::optional<int> SoundStreamOption(const std::map<std::string, std::string>& values);

// Reports the failure of an audio command: "brelvo-cli: PATH: REASON CONSEQUENCE" on stderr,
// PATH the movie or the WAV file as the failure concerns them, and in the JSON
// {"path": movie, "wav", "errorPath": PATH, "error"}. Understands MovieLoadError,
// avi::PatchRefused,
// audio::AudioError and platform::IoError; rethrows anything else.
void ReportAudioFailure(FileReports& reports, const std::string& moviePath,
                        const std::string& wavPath, std::string_view consequence,
                        std::exception_ptr failure);

// The usage error of a WAV file name that does not end in ".wav"; nothing for a good name.
// `placeholder` is the synopsis's name for it, "OUT.wav" or "IN.wav".
std::optional<std::string> WavNameProblem(std::string_view placeholder, const std::string& wavPath);

}  // namespace brelvo::cli
