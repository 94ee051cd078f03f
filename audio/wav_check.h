// SPDX-License-Identifier: GPL-2.0-or-later
// What a WAV file and the movie's sound track differ in, checked before re-integration
// writes anything: the window turns it into its Yes/No question, the command line into a
// refusal unless forced.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "audio/audio_chunk_survey.h"
#include "audio/audio_track.h"
#include "platform/random_access_file.h"

namespace brelvo::audio {

struct WavComparison {
    bool wavHasFormat = false;
    bool formatDiffers = false;    // the WAV's "fmt " chunk is not the movie's format chunk
    std::int64_t wavBytes = 0;     // sample bytes in the WAV file
    std::int64_t movieBytes = 0;   // payload bytes of the movie's audio chunks
    AudioChunkSurvey movieChunks;  // the walk that counted them, for the write to go on with
};

// Throws what ReintegrateAudio throws for the WAV path (no file, no "data" chunk).
WavComparison CompareWavWithMovie(const std::string& moviePath, const AudioTrack& track,
                                  const std::string& wavPath);

// One sentence saying what differs and that the change cannot be undone; nothing when the
// WAV file matches the sound track.
std::optional<std::string> MismatchQuestion(const WavComparison& comparison);

}  // namespace brelvo::audio
