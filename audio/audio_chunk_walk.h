// SPDX-License-Identifier: GPL-2.0-or-later
// The audio chunks of one stream, in file order: every movi list of every RIFF part (the
// first "AVI " part and the "AVIX" parts of large movies), descending into "rec " lists and
// stepping over every other chunk by its size. Bytes inside video frames or the index that
// happen to spell an audio id are never taken for a chunk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "avi/block_reader.h"
#include "avi/chunk_cursor.h"
#include "platform/random_access_file.h"

namespace brelvo::audio {

// Block sizes of the audio tools' reads and writes. Every buffer has one of these fixed sizes,
// whatever the movie's chunks claim; tests shrink them to put chunks across block edges.
// Header reads fetch little: between two headers there is mostly a payload that is either
// stepped over (video) or read on its own (sound), so a larger block would only be copied in
// vain. Small chunks packed close together still share one read.
inline constexpr std::size_t kDefaultHeaderBlock = 256;

struct CopyTuning {
    std::size_t headerBlock = kDefaultHeaderBlock;  // chunk header reads
    std::size_t copyBlock = 1024 * 1024;            // sample bytes read or written at once
};

struct AudioChunk {
    std::int64_t payloadOffset = 0;
    std::uint32_t declaredSize = 0;
    std::int64_t available = 0;  // the payload bytes the file holds (fewer when it is cut short)
};

struct WalkStats {
    std::int64_t chunks = 0;
    std::int64_t cutShort = 0;  // chunks that run past the end of the file
    int resyncs = 0;            // places where garbage was stepped over
};

class AudioChunkWalk {
  public:
    // headerBlock: how much the header reads fetch at once (tests shrink it).
    AudioChunkWalk(platform::RandomAccessFile& movie, int streamNumber,
                   std::size_t headerBlock = kDefaultHeaderBlock);

    // The next audio chunk, or nothing at the end of the movie.
    std::optional<AudioChunk> Next();

    // Reads (part of) a payload the walk returned; also fetches what follows, so the next
    // header usually costs no read of its own.
    std::size_t ReadPayload(std::int64_t offset, std::span<std::byte> out) {
        return reader_.ReadPayloadAt(offset, out);
    }

    // How far the walk has come through the file, for progress.
    std::int64_t Position() const;
    std::int64_t FileLength() const { return reader_.Length(); }
    const WalkStats& Stats() const { return stats_; }

  private:
    enum class Level { Top, Part, Movi };
    struct Frame {
        avi::ChunkCursor cursor;
        Level level;
        std::int64_t resumeAt;  // where the parent goes on, for lists without a usable size
    };
    void Enter(const avi::ChunkHeader& list, Level level, avi::ChunkCursor& parent);
    void Leave();

    avi::BlockReader reader_;
    std::array<char, 4> audioId_;
    std::vector<Frame> stack_;
    WalkStats stats_;
};

}  // namespace brelvo::audio
