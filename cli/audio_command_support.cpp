// SPDX-License-Identifier: GPL-2.0-or-later
// Shared parts of the audio commands.
#include "cli/audio_command_support.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "audio/audio_error.h"
#include "audio/audio_progress.h"
#include "avi/field_patch.h"
#include "cli/command_args.h"
#include "cli/movie_loader.h"
#include "cli/number_args.h"
#include "platform/io_error.h"
#include "platform/random_access_file.h"

#ifndef _WIN32
#include <unistd.h>
#else
#include <io.h>
#endif

namespace brelvo::cli {
namespace {

bool StderrIsTerminal() {
#ifndef _WIN32
    return ::isatty(STDERR_FILENO) == 1;
#else
    return _isatty(_fileno(stderr)) != 0;
#endif
}

}  // namespace

TerminalProgress::TerminalProgress(CommandIo io, Kind kind, bool quiet)
    : terminal_(!quiet && &io.err == &std::cerr && StderrIsTerminal() ? &io.err : nullptr),
      kind_(kind) {}

TerminalProgress::~TerminalProgress() {
    if (terminal_ && shown_ > 0)
        *terminal_ << '\r' << std::string(shown_, ' ') << '\r' << std::flush;
}

void TerminalProgress::OnProgress(const audio::AudioProgress& progress) {
    if (!terminal_) return;
    std::string line;
    if (kind_ == Kind::Reintegration) {
        line = audio::ReintegrationCaption(progress.percent);
    } else if (const auto speed = audio::KBPerSecond(progress)) {
        line = audio::ExtractionCaption(progress.percent, *speed);
    } else {
        return;
    }
    *terminal_ << '\r' << line;
    if (line.size() < shown_) *terminal_ << std::string(shown_ - line.size(), ' ');
    *terminal_ << std::flush;
    shown_ = std::max(shown_, line.size());
}

audio::AudioTrack SoundTrackOf(const std::string& moviePath, std::optional<int> nthSoundStream) {
    const LoadedMovie movie = LoadMovie(moviePath);
    auto file = platform::OpenFile(moviePath, platform::OpenMode::Read);
    if (nthSoundStream) return audio::AudioTrackFromRecord(*file, movie.record, *nthSoundStream);
    return audio::AudioTrackFromRecord(*file, movie.record);
}

std::optional<int> SoundStreamOption(const std::map<std::string, std::string>& values) {
    const auto given = values.find("--stream");
    if (given == values.end()) return std::nullopt;
    const auto n = ParseWhole(given->second);
    if (!n || *n < 1 || *n > 100) {
        throw UsageError("--stream takes the number of a sound stream, 1 for the first");
    }
    return static_cast<int>(*n);
}

void ReportAudioFailure(FileReports& reports, const std::string& moviePath,
                        const std::string& wavPath, std::string_view consequence,
                        std::exception_ptr failure) {
    std::string path = moviePath;
    std::string reason;
    try {
        std::rethrow_exception(failure);
    } catch (const MovieLoadError& e) {
        reason = e.Reason();
    } catch (const avi::PatchRefused& e) {
        reason = std::string(e.what()) + ". " + std::string(consequence);
    } catch (const audio::AudioError& e) {
        if (!e.Path().empty()) path = e.Path();
        reason = std::string(e.what()) + ' ' + std::string(consequence);
    } catch (const platform::IoError& e) {
        // The extraction's temporary file stands for the WAV file the user named.
        if (e.Path() != moviePath) path = wavPath;
        reason = "cannot " + std::string(platform::FileOpVerb(e.Op())) +
                 " the file: " + e.Reason() + ". " + std::string(consequence);
    }
    reports.Fail(path, reason, {{"path", moviePath}, {"wav", wavPath}, {"errorPath", path}});
}

std::optional<std::string> WavNameProblem(std::string_view placeholder,
                                          const std::string& wavPath) {
    if (audio::IsWavFileName(std::filesystem::path(wavPath).filename().string())) {
        return std::nullopt;
    }
    return std::string(placeholder) + " must end in .wav: " + wavPath;
}

}  // namespace brelvo::cli
