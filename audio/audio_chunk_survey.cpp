// Walking the audio chunks once for both the check and the write.
#include "audio/audio_chunk_survey.h"

namespace brelvo::audio {

AudioChunkSurvey SurveyAudioChunks(platform::RandomAccessFile& movie, int streamNumber,
                                   std::size_t headerBlock, std::size_t maxKept) {
    AudioChunkWalk walk(movie, streamNumber, headerBlock);
    AudioChunkSurvey survey;
    survey.streamNumber = streamNumber;
    survey.fileLength = walk.FileLength();
    while (const auto chunk = walk.Next()) {
        survey.sampleBytes += chunk->available;
        if (survey.first.size() < maxKept) survey.first.push_back(*chunk);
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

std::optional<AudioChunk> SurveyedChunks::Next() {
    if (survey_ && kept_ < survey_->first.size()) {
        const AudioChunk& chunk = survey_->first[kept_++];
        position_ = chunk.payloadOffset + chunk.available;
        return chunk;
    }
    if (survey_ && survey_->Complete()) {
        position_ = fileLength_;
        return std::nullopt;
    }
    if (!walk_) {
        walk_.emplace(movie_, streamNumber_, headerBlock_);
        // The kept chunks are already written; walk past them again.
        std::size_t passed = 0;
        while (passed < kept_ && walk_->Next()) ++passed;
    }
    auto chunk = walk_->Next();
    position_ = walk_->Position();
    return chunk;
}

std::size_t SurveyedChunks::ReadPayload(std::int64_t offset, std::span<std::byte> out) {
    return walk_ ? walk_->ReadPayload(offset, out) : movie_.ReadAt(offset, out);
}

std::int64_t SurveyedChunks::Position() const {
    return position_;
}

WalkStats SurveyedChunks::Stats() const {
    return walk_ ? walk_->Stats() : survey_->stats;
}

}  // namespace brelvo::audio
