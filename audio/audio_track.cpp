// SPDX-License-Identifier: GPL-2.0-or-later
// Finding the sound stream and its format chunk.
#include "audio/audio_track.h"

#include <array>

#include "audio/audio_error.h"
#include "avi/block_reader.h"
#include "avi/chunk_cursor.h"
#include "avi/chunk_ids.h"
#include "platform/little_endian.h"
#include "platform/path_text.h"

namespace brelvo::audio {
namespace {

constexpr std::size_t kHeaderBlock = 4096;

using avi::ChunkCursor;
using avi::ChunkHeader;

// A list of the type, whose size holds its type.
bool ListTypeIs(avi::BlockReader& reader, const ChunkHeader& list, std::string_view type) {
    return list.size >= 4 && avi::ListType(reader, list) == type;
}

ChunkCursor BodyOf(avi::BlockReader& reader, const ChunkHeader& list) {
    return ChunkCursor::Body(reader, list, avi::IdClass::ListBody);
}

StreamLayout ReadStrl(avi::BlockReader& reader, const ChunkHeader& strl, int number) {
    StreamLayout layout;
    layout.streamNumber = number;
    auto cursor = BodyOf(reader, strl);
    bool haveHeader = false;
    while (auto chunk = cursor.Next()) {
        if (!haveHeader && chunk->IdIs(avi::kIdStrh) && chunk->size >= 28) {
            std::array<std::byte, 48> h{};
            const std::size_t want = chunk->size >= h.size() ? h.size() : 28;
            if (reader.ReadAt(chunk->DataOffset(), std::span(h).first(want)) == want) {
                layout.fccType = platform::ReadFourCC(h, 0);
                layout.scale = platform::ReadI32(h, 20);
                layout.rate = platform::ReadI32(h, 24);
                layout.sampleSize = platform::ReadI32(h, 44);  // 0 when the header is short
                haveHeader = true;
            }
        } else if (!layout.formatDataOffset && chunk->IdIs(avi::kIdStrf)) {
            layout.formatDataOffset = chunk->DataOffset();
            layout.formatSize = chunk->size;
        }
    }
    return layout;
}

bool IsAudio(const std::string& fccType) {
    return platform::AsciiUpper(fccType) == avi::kTypeAudio;
}

AudioTrack TrackOf(const StreamLayout& layout, std::int64_t loadedLength = -1) {
    return AudioTrack{layout.streamNumber, *layout.formatDataOffset, layout.formatSize, layout.rate,
                      layout.scale,        layout.sampleSize,        loadedLength};
}

// The format chunk from the header lists, and from decoding only when those are too damaged
// to list the stream; the time base from the given header; the movie's length from decoding.
AudioTrack TrackOfStream(platform::RandomAccessFile& movie, const avi::StreamRecord& audio,
                         const avi::StreamHeader& header, std::int64_t loadedLength) {
    AudioTrack track;
    const auto layouts = ReadStreamLayouts(movie);
    const auto number = static_cast<std::size_t>(audio.index);
    if (audio.index >= 0 && number < layouts.size() && IsAudio(layouts[number].fccType) &&
        layouts[number].formatDataOffset) {
        track = TrackOf(layouts[number]);
    } else if (audio.strfRow && audio.formatDataOffset > 0) {
        track.streamNumber = audio.index;
        track.formatDataOffset = audio.formatDataOffset;
        track.formatSize = static_cast<std::uint32_t>(audio.formatSize);
    } else {
        throw AudioError("The movie's sound stream has no format chunk.", movie.Path());
    }
    track.rate = header.rate;
    track.scale = header.scale;
    track.sampleSize = header.sampleSize;
    track.loadedLength = loadedLength;
    return track;
}

}  // namespace

std::vector<StreamLayout> ReadStreamLayouts(platform::RandomAccessFile& movie) {
    avi::BlockReader reader(movie, kHeaderBlock);
    std::vector<StreamLayout> layouts;
    ChunkCursor top(reader, 0, avi::kUnboundedEnd, avi::IdClass::TopLevel);
    const auto riff = top.Next();
    if (!riff || !ListTypeIs(reader, *riff, avi::kListTypeAvi)) return layouts;
    auto part = BodyOf(reader, *riff);
    while (auto chunk = part.Next()) {
        if (!chunk->IdIs(avi::kIdList) || !ListTypeIs(reader, *chunk, avi::kListTypeHdrl)) continue;
        auto hdrl = BodyOf(reader, *chunk);
        while (auto child = hdrl.Next()) {
            if (child->IdIs(avi::kIdList) && ListTypeIs(reader, *child, avi::kListTypeStrl)) {
                layouts.push_back(ReadStrl(reader, *child, static_cast<int>(layouts.size())));
            }
        }
        break;  // one header list per movie
    }
    return layouts;
}

AudioTrack FindAudioTrack(platform::RandomAccessFile& movie, int streamNumber) {
    const auto layouts = ReadStreamLayouts(movie);
    if (streamNumber >= 0 && static_cast<std::size_t>(streamNumber) < layouts.size()) {
        const auto& layout = layouts[static_cast<std::size_t>(streamNumber)];
        if (layout.formatDataOffset) return TrackOf(layout, movie.Length());
    }
    throw AudioError("The movie's header lists hold no format chunk for stream " +
                         std::to_string(streamNumber) + ".",
                     movie.Path());
}

AudioTrack FindAudioTrack(platform::RandomAccessFile& movie) {
    const auto layouts = ReadStreamLayouts(movie);
    for (auto it = layouts.rbegin(); it != layouts.rend(); ++it) {
        if (IsAudio(it->fccType) && it->formatDataOffset) return TrackOf(*it, movie.Length());
    }
    throw AudioError("The movie has no sound stream.", movie.Path());
}

AudioTrack AudioTrackFromRecord(platform::RandomAccessFile& movie,
                                const avi::HeaderRecord& record) {
    const avi::StreamRecord* audio = nullptr;
    for (const auto& stream : record.streams) {
        if (IsAudio(stream.header.fccType)) audio = &stream;
    }
    if (!audio) throw AudioError("The movie has no sound stream.", movie.Path());
    return TrackOfStream(movie, *audio, record.audioHeader ? *record.audioHeader : audio->header,
                         record.loadedLength);
}

AudioTrack AudioTrackFromRecord(platform::RandomAccessFile& movie, const avi::HeaderRecord& record,
                                int nthSoundStream) {
    int count = 0;
    for (const auto& stream : record.streams) {
        if (IsAudio(stream.header.fccType) && ++count == nthSoundStream) {
            return TrackOfStream(movie, stream, stream.header, record.loadedLength);
        }
    }
    throw AudioError(count == 0 ? "The movie has no sound stream."
                                : "The movie has " + std::to_string(count) +
                                      (count == 1 ? " sound stream" : " sound streams") +
                                      ", no sound stream " + std::to_string(nthSoundStream) + ".",
                     movie.Path());
}

std::vector<std::byte> ReadFormatChunk(platform::RandomAccessFile& movie, const AudioTrack& track) {
    if (track.formatSize > kMaxFormatSize) {
        throw AudioError("The sound stream's format chunk claims " +
                             std::to_string(track.formatSize) +
                             " bytes; the movie is damaged there.",
                         movie.Path());
    }
    std::vector<std::byte> chunk(4 + std::size_t{track.formatSize});
    platform::WriteU32(chunk, 0, track.formatSize);
    if (movie.ReadAt(track.formatDataOffset, std::span(chunk).subspan(4)) != track.formatSize) {
        throw AudioError("The sound stream's format chunk is cut short by the end of the movie.",
                         movie.Path());
    }
    return chunk;
}

}  // namespace brelvo::audio
