// Re-integration: the sample bytes of a WAV file written back over the payloads of the
// movie's audio chunks, in file order and in place. Chunk headers, other streams, the index
// and the movie's length are never written. This cannot be undone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "audio/audio_chunk_survey.h"
#include "audio/audio_progress.h"
#include "audio/audio_track.h"
#include "audio/copy_tuning.h"
#include "audio/wav_samples.h"
#include "platform/random_access_file.h"

namespace brelvo::audio {

struct ReintegrationOptions {
    // "Jink Audio": drop this many seconds of samples from the WAV file's start (nothing when
    // absent). The count is seconds x dwRate / dwScale, rounded half to even.
    std::optional<double> jinkSeconds;
    CopyTuning tuning;
    // The chunks the check before the write found (CompareWavWithMovie): the write goes on
    // from them instead of walking the movie again. Ignored when the movie's length changed.
    const AudioChunkSurvey* surveyed = nullptr;
    // The movie's length when it was loaded: another length means another movie under the
    // name, and nothing is written into it. Negative: unknown, not checked.
    std::int64_t loadedLength = -1;
};

struct ReintegrationResult {
    std::int64_t chunks = 0;
    std::int64_t bytesWritten = 0;  // payload bytes given the WAV file's samples (or zeros)
    std::int64_t bytesChanged = 0;  // of those, the bytes actually written: the rest held them
    std::int64_t samplesUsed = 0;   // WAV sample bytes that went into the movie
    std::int64_t zeroFilled = 0;    // payload bytes beyond the WAV file's samples
    std::int64_t skippedBytes = 0;  // dropped by "Jink Audio"
    int resyncs = 0;
};

// The sample bytes "Jink Audio" drops: seconds x rate / scale rounded half to even; 0 when
// the scale is 0 or the result is not positive (the samples cannot start before their first
// byte).
std::int64_t JinkSkipBytes(double seconds, std::int32_t rate, std::int32_t scale);

// Throws AudioError (the WAV path names no file, the file holds no "data" chunk) and
// avi::PatchRefused (the movie is not the one loaded) before anything is written;
// platform::IoError when a read or write fails.
ReintegrationResult ReintegrateAudio(const std::string& moviePath, const AudioTrack& track,
                                     const std::string& wavPath,
                                     const ReintegrationOptions& options = {},
                                     ProgressSink* progress = nullptr);

// The same on open files, with the samples already located.
ReintegrationResult WriteSamples(platform::RandomAccessFile& movie, const AudioTrack& track,
                                 platform::RandomAccessFile& wav, const WavSamples& samples,
                                 const ReintegrationOptions& options = {},
                                 ProgressSink* progress = nullptr);

}  // namespace brelvo::audio
