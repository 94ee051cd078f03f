// SPDX-License-Identifier: GPL-2.0-or-later
// The decoded headers of a movie: every stream header with its format, the main header, the
// INFO items and display name, and the document values the editors use (offsets 0-based,
// 0 where nothing was recorded).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "avi/field_ref.h"

namespace brelvo::avi {

struct MainHeader {
    std::int32_t microSecPerFrame = 0;
    std::int32_t maxBytesPerSec = 0;
    std::int32_t paddingGranularity = 0;
    std::int32_t flags = 0;
    std::int32_t totalFrames = 0;
    std::int32_t initialFrames = 0;
    std::int32_t streams = 0;
    std::int32_t suggestedBufferSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    FieldRef microSecPerFrameField;
    std::size_t row = 0;  // ChunkMap row of the avih
};

// The 56-byte stream header, as stored.
struct StreamHeader {
    std::string fccType;     // 4 characters as stored
    std::string fccHandler;  // 4 characters as stored
    std::int32_t flags = 0;
    std::int16_t priority = 0;
    std::int16_t language = 0;
    std::int32_t initialFrames = 0;
    std::int32_t scale = 0;
    std::int32_t rate = 0;
    std::int32_t start = 0;
    std::int32_t length = 0;
    std::int32_t suggestedBufferSize = 0;
    std::int32_t quality = 0;
    std::int32_t sampleSize = 0;
    std::array<std::int16_t, 4> rcFrame{};
};

struct VideoFormat {  // BITMAPINFOHEADER fields the program shows or edits
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int16_t bitCount = 0;
    std::string compression;  // 4 characters as stored
    FieldRef compressionField;
};

struct AudioFormat {              // WAVEFORMATEX fields the program shows
    std::uint16_t formatTag = 0;  // an unsigned word: 0xFFFE is 65534, not -2
    std::int16_t channels = 0;
    std::int32_t samplesPerSec = 0;
    std::int32_t avgBytesPerSec = 0;
    std::int16_t blockAlign = 0;
    std::int16_t bitsPerSample = 0;
};

// One strh with the strf that follows it in the ChunkMap, if any.
struct StreamRecord {
    int index = 0;            // the stream number: position among the strh rows, 0-based
    std::size_t strhRow = 0;  // ChunkMap row of the strh
    StreamHeader header;
    FieldRef handlerField, scaleField, rateField, startField;
    std::optional<std::size_t> strfRow;  // ChunkMap row of the following STRF
    std::int64_t formatDataOffset = 0;   // 0-based offset of the strf data
    std::int32_t formatSize = 0;         // the strf size field
    std::optional<VideoFormat> video;    // for "VIDS" streams with a format
    std::optional<AudioFormat> audio;    // for "AUDS" streams with a format

    // Video is "vids", and "iavs": type-1 DV, picture and sound interleaved in one stream.
    bool IsVideo() const;
    bool IsInterleavedDv() const;
    bool IsAudio() const;
};

// An INFO item or the display name, as the ChunkMap lists it.
struct TextItem {
    std::string id;               // "IART" ... or "DISP"
    std::size_t row = 0;          // ChunkMap row
    std::int64_t dataOffset = 0;  // 0-based offset of the first data byte
    std::int32_t size = 0;        // data size
    std::string bytes;            // the data as stored (ANSI bytes, NULs included; cut at EOF)
    FieldRef field;               // the data bytes read (unrecorded when none were)
    std::int64_t DataOffset() const { return dataOffset; }
};

// Where the whole movie's frame count comes from.
enum class FrameCountSource {
    MainHeader,    // avih dwTotalFrames
    OpenDml,       // dmlh dwTotalFrames: large movies, whose avih counts the first part only
    StreamChunks,  // every count 0 (a movie written to a pipe): the video chunks counted
};

struct HeaderRecord {
    std::vector<MainHeader> mainHeaders;  // every avih, in map order (the last one wins)
    std::vector<StreamRecord> streams;    // in file order
    std::vector<TextItem> textItems;      // INFO items and DISP, in map order
    std::vector<FieldRef> fields;         // every field the reader recorded, in reading order
    // The file's length when it was decoded (-1: not known). The offsets above mean nothing
    // in a file of another length, such as a new encode saved under the same name.
    std::int64_t loadedLength = -1;

    // Document values, "last decoded wins" where several chunks of a kind exist.
    std::int64_t microSecOffset = 0;
    // The whole movie's frame count: the avih's, or the dmlh's when it is larger (the avih
    // of an OpenDML movie counts its first part only).
    std::int32_t totalFrames = 0;
    FrameCountSource totalFramesSource = FrameCountSource::MainHeader;
    std::optional<std::uint32_t> dmlhTotalFrames;  // of the "LIST odml" dmlh, when present
    std::int32_t rangeTo = 0;
    std::int64_t videoHandlerOffset = 0;
    std::string videoHandler;  // upper-cased
    std::int32_t videoScale = 0;
    std::int64_t videoRateOffset = 0;
    std::int32_t videoRate = 0;  // before a video strh is decoded: dwMicroSecPerFrame
    double rateFactor = 0.0;
    double framesPerSec = 0.0;
    std::int64_t videoCompressionOffset = 0;
    std::string videoCompression;  // upper-cased
    std::optional<StreamHeader> audioHeader;
    std::int64_t audioStartOffset = 0;
    std::int32_t audioDelayStart = 0;
    std::optional<std::size_t> idx1Row;

    // The last decoded main header / video / audio stream, if any.
    const MainHeader* LastMainHeader() const;
    const StreamRecord* VideoStream() const;
    int VideoStreamCount() const;
    const StreamRecord* AudioStream() const;
    // The field the reader recorded at this offset with this width (none at offset 0).
    const FieldRef* FieldAt(std::int64_t offset, int width) const;
};

}  // namespace brelvo::avi
