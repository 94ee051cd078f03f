// SPDX-License-Identifier: GPL-2.0-or-later
// Extraction of the sound track into a WAV file: the movie's own format chunk and the raw
// payload of every audio chunk, in file order. Nothing is decoded; the movie is only read.
#pragma once

#include <cstdint>
#include <string>

#include "audio/audio_chunk_walk.h"
#include "audio/audio_progress.h"
#include "audio/audio_track.h"
#include "platform/random_access_file.h"

namespace brelvo::audio {

struct ExtractionResult {
    std::int64_t chunks = 0;
    std::int64_t dataBytes = 0;
    std::int64_t cutShort = 0;  // chunks cut short by the end of the movie (copied as far as held)
    int resyncs = 0;            // damaged places stepped over
};

// Writes the WAV file to a temporary file in wavPath's folder and renames it over wavPath at
// the end, so a failure, an interruption or a cancel from the progress sink leaves no
// half-written file and never destroys an existing one. Throws AudioError (no usable format
// chunk, a track too large for a WAV file, wavPath naming the movie, a folder, a pipe or a
// device), platform::IoError (with the path and the system's reason) or what the sink throws.
ExtractionResult ExtractAudio(const std::string& moviePath, const AudioTrack& track,
                              const std::string& wavPath, ProgressSink* progress = nullptr,
                              const CopyTuning& tuning = {});

// The WAV layout written through `out` (an empty file that may grow), from an open movie.
ExtractionResult WriteWav(platform::RandomAccessFile& movie, const AudioTrack& track,
                          platform::RandomAccessFile& out, ProgressSink* progress = nullptr,
                          const CopyTuning& tuning = {});

}  // namespace brelvo::audio
