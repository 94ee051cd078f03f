// SPDX-License-Identifier: GPL-2.0-or-later
// Refusals of the audio tools: the operation stopped before it changed anything, for a
// reason the user can act on (no sound stream, no WAV file, no sample data, ...).
#pragma once

#include <stdexcept>
#include <string>

namespace brelvo::audio {

class AudioError : public std::runtime_error {
  public:
    // message: one sentence for the user; path: the file it concerns (the WAV file or the
    // movie), so a face can name it.
    AudioError(const std::string& message, std::string path)
        : std::runtime_error(message), path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

}  // namespace brelvo::audio
