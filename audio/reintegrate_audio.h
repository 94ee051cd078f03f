// SPDX-License-Identifier: GPL-2.0-or-later
// Re-integration: the sample bytes of a WAV file written back over the payloads of the
// movie's audio chunks, in file order and in place. Chunk headers, other streams, the index
// and the movie's length are never written. This cannot be undone.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "audio/audio_chunk_survey.h"
#include "audio/audio_progress.h"
#include "audio/audio_track.h"
#include "audio/wav_file.h"
#include "platform/io_error.h"
#include "platform/random_access_file.h"

namespace brelvo::audio {

struct ReintegrationOptions {
    // "Jink Audio": drop this many seconds of samples from the WAV file's start (nothing when
    // absent); see JinkCutOf.
    std::optional<double> jinkSeconds;
    CopyTuning tuning;
    // The chunks the check before the write found (CompareWavWithMovie): the write goes on
    // from them instead of walking the movie again. Ignored when the movie's length changed.
    const AudioChunkSurvey* surveyed = nullptr;
    // Reads and compares all the same, counts what would change, writes nothing (the movie
    // is opened for reading only).
    bool dryRun = false;
};

// A read or write failing during the copy: the file error, with how much of the sound track
// had been changed by then.
class ReintegrationFailed : public platform::IoError {
  public:
    ReintegrationFailed(const platform::IoError& cause, std::int64_t bytesChanged, bool duringWrite)
        : platform::IoError(cause), bytesChanged_(bytesChanged), duringWrite_(duringWrite) {}

    // Payload bytes rewritten before the failure.
    std::int64_t BytesChanged() const { return bytesChanged_; }
    // True when the sound track may hold changed bytes: some were written, or the failing
    // write may have stored part of its bytes.
    bool MayBePartlyRewritten() const { return bytesChanged_ > 0 || duringWrite_; }

  private:
    std::int64_t bytesChanged_;
    bool duringWrite_;
};

struct ReintegrationResult {
    std::int64_t chunks = 0;
    std::int64_t bytesWritten = 0;  // payload bytes given the WAV file's samples (or zeros)
    std::int64_t bytesChanged = 0;  // of those, the bytes actually written: the rest held them
    std::int64_t samplesUsed = 0;   // WAV sample bytes that went into the movie
    std::int64_t zeroFilled = 0;    // payload bytes beyond the WAV file's samples
    std::int64_t skippedBytes = 0;  // dropped by "Jink Audio"
    std::optional<JinkCut> jink;    // when "Jink Audio" was asked for
    int resyncs = 0;
};

// The changed bytes are written as plans of the movie the track was found in (as long as
// then), each field read back. Throws AudioError (the WAV path names no file, the file holds
// no "data" chunk) and avi::PatchRefused (the movie is not the one loaded) before anything is
// written; platform::IoError when a file cannot be opened, ReintegrationFailed when a read or
// write fails during the copy.
ReintegrationResult ReintegrateAudio(const std::string& moviePath, const AudioTrack& track,
                                     const std::string& wavPath,
                                     const ReintegrationOptions& options = {},
                                     ProgressSink* progress = nullptr);

// The same on open files, with the samples already located.
ReintegrationResult WriteSamples(platform::RandomAccessFile& movie, const AudioTrack& track,
                                 platform::RandomAccessFile& wav, const WavSamples& samples,
                                 const ReintegrationOptions& options = {},
                                 ProgressSink* progress = nullptr);

// The face's answer to the mismatch question (sentences saying what differs): true writes the
// WAV file all the same.
using MismatchAnswer = std::function<bool(const std::string& question)>;

struct ReintegrationOutcome {
    AudioTrack track;
    std::optional<std::string> mismatch;  // the question asked
    std::int64_t wavBytes = 0;            // sample bytes in the WAV file, as compared
    std::int64_t movieBytes = 0;          // payload bytes of the track's chunks, as compared
    bool declined = false;                // answered No: nothing was written
    ReintegrationResult result;           // what the write did (in a dry run: would do)
};

// The whole tool, the same for both faces: the sound track among the decoded headers (the last
// sound stream, or the n-th, 1-based), the check of the WAV file against it, the question when
// they differ (a dry run asks it too, and stops as the real run would), and the write (in a
// dry run: the count). Throws what FindAudioTrack, CompareWavWithMovie and ReintegrateAudio
// throw.
ReintegrationOutcome RunReintegration(const std::string& moviePath, const avi::HeaderRecord& record,
                                      std::optional<int> nthSoundStream, const std::string& wavPath,
                                      ReintegrationOptions options, const MismatchAnswer& answer,
                                      ProgressSink* progress = nullptr);

}  // namespace brelvo::audio
