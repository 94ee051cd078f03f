// SPDX-License-Identifier: GPL-2.0-or-later
// The texts the audio tools show: the name check, and failures with their reason and what
// became of the files.
#pragma once

#include <QString>
#include <cstdint>
#include <exception>
#include <string>

namespace brelvo::app {

QString WavNameMessage();

// A failure of an audio tool as one message: the reason (an audio::AudioError's sentence, or
// the file operation, the path and the system's reason of a platform::IoError), then the
// consequence. The extraction's temporary file is named as the WAV file the user chose.
// Rethrows anything that is not a std::exception.
QString AudioToolFailure(std::exception_ptr failure, const std::string& moviePath,
                         const std::string& wavPath, const QString& consequence);

// What a failed tool leaves behind.
QString NoWavWrittenNote();
QString NothingWrittenNote();
// bytesChanged: payload bytes rewritten before the failure (the failing write may add some).
QString PartlyRewrittenNote(std::int64_t bytesChanged);

// The Yes/No box before writing a WAV file that does not match: what differs, then the
// question the buttons answer.
QString WriteAnywayQuestion(const std::string& mismatch);

}  // namespace brelvo::app
