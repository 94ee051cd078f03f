// SPDX-License-Identifier: GPL-2.0-or-later
// Walking the audio chunks once for both the check and the write.
#include "audio/audio_chunk_survey.h"

#include <algorithm>
#include <cstring>

#include "audio/sample_source.h"

namespace brelvo::audio {
namespace {

// True when the chunk's payload holds exactly the next samples.
bool HoldsSamples(AudioChunkWalk& walk, const AudioChunk& chunk, SampleSource& samples,
                  std::span<std::byte> held) {
    std::int64_t offset = chunk.payloadOffset;
    std::int64_t remaining = chunk.available;
    while (remaining > 0) {
        const auto wanted =
            samples.Peek(std::min(remaining, static_cast<std::int64_t>(held.size())));
        const auto now = held.first(wanted.size());
        if (walk.ReadPayload(offset, now) != now.size() ||
            std::memcmp(now.data(), wanted.data(), now.size()) != 0) {
            return false;
        }
        samples.Consume(wanted.size());
        offset += static_cast<std::int64_t>(wanted.size());
        remaining -= static_cast<std::int64_t>(wanted.size());
    }
    return true;
}

}  // namespace

AudioChunkSurvey SurveyAudioChunks(platform::RandomAccessFile& movie, int streamNumber,
                                   std::optional<WavSampleRange> samples, const CopyTuning& tuning,
                                   std::size_t maxKept) {
    AudioChunkWalk walk(movie, streamNumber, tuning.headerBlock);
    AudioChunkSurvey survey;
    survey.streamNumber = streamNumber;
    survey.fileLength = walk.FileLength();
    std::optional<SampleSource> source;
    std::vector<std::byte> held;
    if (samples) {
        survey.matchedFrom = samples->from;
        survey.matchedEnd = samples->end;
        source.emplace(samples->wav, samples->from, samples->end, tuning.copyBlock);
        held.resize(std::max<std::size_t>(tuning.copyBlock, 16));
    }
    bool matching = samples.has_value();
    while (const auto chunk = walk.Next()) {
        survey.sampleBytes += chunk->available;
        if (survey.first.size() < maxKept) survey.first.push_back(*chunk);
        if (matching && HoldsSamples(walk, *chunk, *source, held)) {
            ++survey.matchingChunks;
            survey.matchingBytes += chunk->available;
            survey.matchingEnd = chunk->payloadOffset + chunk->available;
        } else if (matching) {
            matching = false;  // from here on the write compares as it goes
            source.reset();
            held = {};
        }
    }
    survey.stats = walk.Stats();
    return survey;
}

SurveyedChunks::SurveyedChunks(platform::RandomAccessFile& movie, int streamNumber,
                               const AudioChunkSurvey* survey, std::size_t headerBlock)
    : movie_(movie),
      streamNumber_(streamNumber),
      headerBlock_(headerBlock),
      survey_(survey),
      fileLength_(movie.Length()) {
    if (survey_ && (survey_->streamNumber != streamNumber || survey_->fileLength != fileLength_)) {
        survey_ = nullptr;
    }
    if (!survey_) walk_.emplace(movie_, streamNumber_, headerBlock_);
}

std::int64_t SurveyedChunks::SkipMatching(std::int64_t from, std::int64_t end) {
    if (!survey_ || next_ != 0 || survey_->matchedFrom != from || survey_->matchedEnd != end) {
        return 0;
    }
    next_ = static_cast<std::size_t>(survey_->matchingChunks);
    position_ = survey_->matchingEnd;
    return survey_->matchingBytes;
}

std::optional<AudioChunk> SurveyedChunks::Next() {
    if (survey_ && next_ < survey_->first.size()) {
        const AudioChunk& chunk = survey_->first[next_++];
        position_ = chunk.payloadOffset + chunk.available;
        return chunk;
    }
    if (survey_ && survey_->Complete()) {
        position_ = fileLength_;
        return std::nullopt;
    }
    if (!walk_) {
        // Past the kept chunks (which were handed out or matched): walk past them again.
        walk_.emplace(movie_, streamNumber_, headerBlock_);
        std::size_t passed = 0;
        while (passed < next_ && walk_->Next()) ++passed;
    }
    auto chunk = walk_->Next();
    position_ = walk_->Position();
    return chunk;
}

std::size_t SurveyedChunks::ReadPayload(std::int64_t offset, std::span<std::byte> out) {
    return walk_ ? walk_->ReadPayload(offset, out) : movie_.ReadAt(offset, out);
}

WalkStats SurveyedChunks::Stats() const {
    return walk_ ? walk_->Stats() : survey_->stats;
}

}  // namespace brelvo::audio
