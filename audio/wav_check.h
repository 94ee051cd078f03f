// SPDX-License-Identifier: GPL-2.0-or-later
// What a WAV file and the movie's sound track differ in, checked before re-integration
// writes anything: the window turns it into its Yes/No question, the command line into a
// refusal unless forced.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "audio/audio_chunk_survey.h"
#include "audio/audio_track.h"
#include "audio/reintegrate_audio.h"
#include "platform/random_access_file.h"

namespace brelvo::audio {

struct WavComparison {
    bool wavHasFormat = false;
    // What the WAV's "fmt " chunk says otherwise than the movie's format chunk, one phrase a
    // field (FormatDifferences); empty when they mean the same.
    std::vector<std::string> formatDifferences;
    std::int64_t wavBytes = 0;     // sample bytes in the WAV file
    std::int64_t movieBytes = 0;   // payload bytes of the movie's audio chunks
    std::optional<JinkCut> jink;   // the cut "Jink Audio" would make, when asked for
    AudioChunkSurvey movieChunks;  // the walk that counted them, for the write to go on with

    bool FormatDiffers() const { return !wavHasFormat || !formatDifferences.empty(); }
    // "Jink Audio" was asked for a length that cuts nothing (less than half a unit, or
    // negative).
    bool JinkCutsNothing() const { return jink && jink->bytes == 0 && jink->seconds != 0.0; }
    // The cut takes every sample of the WAV file: the sound track would be zero bytes.
    bool JinkTakesAll() const { return jink && jink->bytes > 0 && jink->bytes >= wavBytes; }
};

// Throws what ReintegrateAudio throws for the WAV path (no file, no "data" chunk).
WavComparison CompareWavWithMovie(const std::string& moviePath, const AudioTrack& track,
                                  const std::string& wavPath,
                                  std::optional<double> jinkSeconds = std::nullopt);

// What differs and that the change cannot be undone, in sentences; nothing when the WAV file
// matches the sound track and the cut is one to make.
std::optional<std::string> MismatchQuestion(const WavComparison& comparison);

}  // namespace brelvo::audio
