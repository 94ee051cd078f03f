// SPDX-License-Identifier: GPL-2.0-or-later
// The structured walk over the movi lists.
#include "audio/audio_chunk_walk.h"

#include <algorithm>

#include "audio/audio_error.h"
#include "avi/chunk_ids.h"

namespace brelvo::audio {
namespace {

// "rec " lists inside "rec " lists are not written by anyone; a small bound keeps a hostile
// file from nesting without end.
constexpr std::size_t kMaxDepth = 8;

using avi::ChunkCursor;
using avi::ChunkHeader;
using avi::IdClass;

// The first "AVI " part or one of the "AVIX" parts of large movies; the type is read also when
// the list's size is missing (0).
bool IsPart(const std::string& type) {
    return type == avi::kListTypeAvi || type == avi::kListTypeAvix;
}

}  // namespace

AudioChunkWalk::AudioChunkWalk(platform::RandomAccessFile& movie, int streamNumber,
                               std::size_t headerBlock)
    : reader_(movie, headerBlock) {
    const auto id = avi::StreamChunkId(streamNumber, avi::kSuffixAudio);
    if (!id) {
        throw AudioError("The sound is stream " + std::to_string(streamNumber) +
                             "; only streams 0 to 99 can have audio chunks.",
                         movie.Path());
    }
    std::copy(id->begin(), id->end(), audioId_.begin());
    stack_.push_back(
        Frame{ChunkCursor(reader_, 0, avi::kUnboundedEnd, IdClass::TopLevel), Level::Top, 0});
}

std::int64_t AudioChunkWalk::Position() const {
    return stack_.empty() ? reader_.Length()
                          : std::min(stack_.back().cursor.Position(), reader_.Length());
}

void AudioChunkWalk::Enter(const ChunkHeader& list, Level level, ChunkCursor& parent) {
    if (stack_.size() >= kMaxDepth) return;
    // A list whose size was never filled in (0) runs to the end of its parent.
    std::int64_t end = list.DeclaredEnd();
    std::int64_t resumeAt = -1;
    if (list.size < 4) {
        end = parent.End();
        resumeAt = end;
    }
    const IdClass ids = level == Level::Movi ? IdClass::StreamData : IdClass::ListBody;
    stack_.push_back(Frame{ChunkCursor(reader_, list.DataOffset() + 4, end, ids), level, resumeAt});
}

void AudioChunkWalk::Leave() {
    stats_.resyncs += stack_.back().cursor.Resyncs();
    const std::int64_t resumeAt = stack_.back().resumeAt;
    stack_.pop_back();
    if (resumeAt >= 0 && !stack_.empty()) stack_.back().cursor.ResumeAt(resumeAt);
}

std::optional<AudioChunk> AudioChunkWalk::Next() {
    while (!stack_.empty()) {
        Frame& frame = stack_.back();
        const auto header = frame.cursor.Next();
        if (!header) {
            Leave();
            continue;
        }
        switch (frame.level) {
            case Level::Top:
                if (IsPart(avi::ListType(reader_, *header))) {
                    Enter(*header, Level::Part, frame.cursor);
                }
                break;
            case Level::Part:
                if (header->IdIs(avi::kIdList) &&
                    avi::ListType(reader_, *header) == avi::kListTypeMovi) {
                    Enter(*header, Level::Movi, frame.cursor);
                }
                break;
            case Level::Movi:
                if (header->IdIs(avi::kIdList)) {
                    if (avi::ListType(reader_, *header) == avi::kListTypeRec)
                        Enter(*header, Level::Movi, frame.cursor);
                } else if (header->IdIs(std::string_view(audioId_.data(), 4))) {
                    AudioChunk chunk;
                    chunk.payloadOffset = header->DataOffset();
                    chunk.declaredSize = header->size;
                    chunk.available = std::clamp<std::int64_t>(
                        reader_.Length() - chunk.payloadOffset, 0, header->size);
                    ++stats_.chunks;
                    if (chunk.available < header->size) ++stats_.cutShort;
                    return chunk;
                }
                break;
        }
    }
    return std::nullopt;
}

}  // namespace brelvo::audio
