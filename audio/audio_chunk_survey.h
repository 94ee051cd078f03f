// SPDX-License-Identifier: GPL-2.0-or-later
// One walk over a movie's audio chunks that both the check before re-integration and the
// write itself use, so a multi-gigabyte movie is walked once, not twice. The positions of the
// first chunks are kept (a bounded list: memory does not grow with the movie beyond it); the
// write walks on past them only in movies with more chunks than that. Given the WAV file's
// samples, the walk also finds how many leading chunks already hold them, which the write
// then steps over: writing an unchanged track back reads and writes nothing more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "audio/audio_chunk_walk.h"
#include "platform/random_access_file.h"

namespace brelvo::audio {

// 65536 positions of 24 bytes: 1.5 MiB, three quarters of an hour of sound at one chunk per
// frame.
inline constexpr std::size_t kMaxSurveyedChunks = 65536;

// Sample bytes [from, end) of a WAV file (zeros beyond, as re-integration writes them).
struct WavSampleRange {
    platform::RandomAccessFile& wav;
    std::int64_t from = 0;
    std::int64_t end = 0;
};

struct AudioChunkSurvey {
    int streamNumber = -1;
    std::int64_t fileLength = -1;  // of the movie when it was walked
    std::int64_t sampleBytes = 0;  // payload bytes of all its audio chunks that the file holds
    WalkStats stats;
    std::vector<AudioChunk> first;  // the first chunks, in file order, at most the bound

    // The WAV samples compared (from = -1: none), and the leading chunks whose payloads hold
    // exactly the first of them.
    std::int64_t matchedFrom = -1;
    std::int64_t matchedEnd = -1;
    std::int64_t matchingChunks = 0;
    std::int64_t matchingBytes = 0;
    std::int64_t matchingEnd = 0;  // where the last of them ends in the file

    // Drops what the comparison found, for a WAV file that may have been saved again since
    // (while a question waited for its answer); the positions stay good.
    void ForgetSamples() {
        matchedFrom = matchedEnd = -1;
        matchingChunks = matchingBytes = matchingEnd = 0;
    }
    // True when `first` holds every audio chunk of the movie.
    bool Complete() const { return static_cast<std::int64_t>(first.size()) == stats.chunks; }
};

AudioChunkSurvey SurveyAudioChunks(platform::RandomAccessFile& movie, int streamNumber,
                                   std::optional<WavSampleRange> samples = std::nullopt,
                                   const CopyTuning& tuning = {},
                                   std::size_t maxKept = kMaxSurveyedChunks);

// The audio chunks again, in file order: those a survey kept, then the rest by a new walk
// that steps past the kept ones. A survey of another stream or of a file of another length
// (the movie changed since) is not trusted: everything is walked afresh.
class SurveyedChunks {
  public:
    SurveyedChunks(platform::RandomAccessFile& movie, int streamNumber,
                   const AudioChunkSurvey* survey, std::size_t headerBlock = kDefaultHeaderBlock);

    // Steps over the leading chunks that already hold the samples [from, end) of a WAV file
    // (before the first Next()); returns their payload bytes, 0 when the survey compared
    // other samples or cannot be trusted.
    std::int64_t SkipMatching(std::int64_t from, std::int64_t end);

    std::optional<AudioChunk> Next();
    // Reads (part of) the payload of a chunk Next() returned.
    std::size_t ReadPayload(std::int64_t offset, std::span<std::byte> out);
    // How far through the file the chunks have come, for progress.
    std::int64_t Position() const { return position_; }
    std::int64_t FileLength() const { return fileLength_; }
    // Complete once Next() has returned nothing.
    WalkStats Stats() const;

  private:
    platform::RandomAccessFile& movie_;
    int streamNumber_;
    std::size_t headerBlock_;
    const AudioChunkSurvey* survey_;  // nothing when it cannot be trusted
    std::int64_t fileLength_;
    std::size_t next_ = 0;  // index of the chunk Next() returns
    std::int64_t position_ = 0;
    std::optional<AudioChunkWalk> walk_;
};

}  // namespace brelvo::audio
