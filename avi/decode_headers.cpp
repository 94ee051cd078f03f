// SPDX-License-Identifier: GPL-2.0-or-later
// Header decoding, row by row of the ChunkMap. Values are kept as stored.
#include "avi/decode_headers.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>

#include "avi/chunk_ids.h"
#include "avi/field_reader.h"
#include "avi/stream_chunk_count.h"
#include "platform/little_endian.h"
#include "platform/path_text.h"

namespace brelvo::avi {
namespace {

constexpr std::size_t kMainHeaderBytes = 40;  // dwMicroSecPerFrame .. dwHeight
constexpr std::size_t kStreamHeaderBytes = 56;
constexpr std::size_t kBitmapInfoBytes = 40;
constexpr std::int32_t kBitmapCompressionEnd = 20;  // biCompression must lie in the strf data
constexpr std::size_t kWaveFormatBytes = 16;

class Decoder {
  public:
    Decoder(platform::RandomAccessFile& file, const ChunkMap& map) : file_(file), map_(map) {}

    HeaderRecord Run() {
        for (std::size_t i = 0; i < map_.size(); ++i) {
            const auto& row = map_[i];
            if (row.id == kIdAvih) {
                MainHeaderRow(i);
            } else if (row.id == kIdStrh) {
                StreamHeaderRow(i);
            } else if (IsInfoTextItem(row.id) || row.id == kDisplayNameId) {
                TextRow(i);
            } else if (row.id == kIdIdx1) {
                record_.idx1Row = i;
            } else if (row.id == kIdList) {
                ListRow(i);
            }
        }
        WholeMovieFrames();
        return std::move(record_);
    }

  private:
    // "LIST odml" holds the dmlh, whose dwTotalFrames counts every RIFF part of the movie.
    void ListRow(std::size_t i) {
        std::array<std::byte, 16> head{};
        if (file_.ReadAt(map_[i].DataOffset(), head) != head.size()) return;
        if (platform::AsciiUpper(platform::ReadFourCC(head, 0)) != kListTypeOdml ||
            platform::AsciiUpper(platform::ReadFourCC(head, 4)) != kIdDmlh ||
            platform::ReadU32(head, 8) < 4) {
            return;
        }
        record_.dmlhTotalFrames = platform::ReadU32(head, 12);
    }

    // The frame count of the whole movie. Movies streamed to a pipe leave every count 0;
    // their video chunks are then counted.
    void WholeMovieFrames() {
        const MainHeader* avih = record_.LastMainHeader();
        std::int32_t frames = avih ? avih->totalFrames : 0;
        auto source = FrameCountSource::MainHeader;
        const auto dmlh = record_.dmlhTotalFrames.value_or(0);
        if (dmlh <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()) &&
            static_cast<std::int64_t>(dmlh) > frames) {
            frames = static_cast<std::int32_t>(dmlh);
            source = FrameCountSource::OpenDml;
        }
        const StreamRecord* video = record_.VideoStream();
        // (Their stream headers' dwLength holds a placeholder, not a count.)
        if (frames == 0 && dmlh == 0 && avih && video) {
            if (const auto counted = CountStreamChunks(file_, map_, video->index); counted > 0) {
                frames = static_cast<std::int32_t>(
                    std::min<std::int64_t>(counted, std::numeric_limits<std::int32_t>::max()));
                source = FrameCountSource::StreamChunks;
            }
        }
        record_.totalFrames = record_.rangeTo = frames;
        record_.totalFramesSource = source;
    }

    void MainHeaderRow(std::size_t i) {
        FieldBlock block(file_, map_[i].DataOffset(), kMainHeaderBytes, "avih", record_.fields,
                         "the main header");
        MainHeader h;
        h.row = i;
        h.microSecPerFrame = block.Int32("dwMicroSecPerFrame", 0, &h.microSecPerFrameField);
        h.maxBytesPerSec = block.Int32("dwMaxBytesPerSec", 4);
        h.paddingGranularity = block.Int32("dwPaddingGranularity", 8);
        h.flags = block.Int32("dwFlags", 12);
        h.totalFrames = block.Int32("dwTotalFrames", 16);
        h.initialFrames = block.Int32("dwInitialFrames", 20);
        h.streams = block.Int32("dwStreams", 24);
        h.suggestedBufferSize = block.Int32("dwSuggestedBufferSize", 28);
        h.width = block.Int32("dwWidth", 32);
        h.height = block.Int32("dwHeight", 36);
        record_.microSecOffset = h.microSecPerFrameField.offset;
        record_.videoRate = h.microSecPerFrame;
        record_.totalFrames = record_.rangeTo = h.totalFrames;
        record_.mainHeaders.push_back(std::move(h));
    }

    void StreamHeaderRow(std::size_t i) {
        StreamRecord s;
        s.index = static_cast<int>(record_.streams.size());
        s.strhRow = i;
        const std::string prefix = "strh[" + std::to_string(s.index) + "]";
        const auto offset = map_[i].DataOffset();
        const auto peek = file_.ReadVectorAt(offset, 4);
        const auto type =
            peek.size() == 4 ? platform::AsciiUpper(platform::ReadFourCC(peek, 0)) : "";
        // Other stream kinds are only told apart by their type; their header is taken when
        // the file holds it.
        if (type == kTypeVideo || type == kTypeInterleavedDv || type == kTypeAudio ||
            file_.Length() - offset >= static_cast<std::int64_t>(kStreamHeaderBytes)) {
            DecodeStreamHeader(s, offset, prefix);
        } else {
            FieldBlock typeBlock(file_, offset, 4, prefix, record_.fields, "a stream header");
            s.header.fccType = typeBlock.FourCC("fccType", 0);
        }
        if (i + 1 < map_.size() && map_[i + 1].id == kIdStrf) {
            s.strfRow = i + 1;
            s.formatDataOffset = map_[i + 1].DataOffset();
            s.formatSize = map_[i + 1].size;
        }
        if (s.IsVideo()) VideoStream(s);
        if (s.IsAudio()) AudioStream(s);
        record_.streams.push_back(std::move(s));
    }

    void DecodeStreamHeader(StreamRecord& s, std::int64_t offset, const std::string& prefix) {
        FieldBlock block(file_, offset, kStreamHeaderBytes, prefix, record_.fields,
                         "a stream header");
        auto& h = s.header;
        h.fccType = block.FourCC("fccType", 0);
        h.fccHandler = block.FourCC("fccHandler", 4, &s.handlerField);
        h.flags = block.Int32("dwFlags", 8);
        h.priority = block.Int16("wPriority", 12);
        h.language = block.Int16("wLanguage", 14);
        h.initialFrames = block.Int32("dwInitialFrames", 16);
        h.scale = block.Int32("dwScale", 20, &s.scaleField);
        h.rate = block.Int32("dwRate", 24, &s.rateField);
        h.start = block.Int32("dwStart", 28, &s.startField);
        h.length = block.Int32("dwLength", 32);
        h.suggestedBufferSize = block.Int32("dwSuggestedBufferSize", 36);
        h.quality = block.Int32("dwQuality", 40);
        h.sampleSize = block.Int32("dwSampleSize", 44);
        h.rcFrame[0] = block.Int16("rcFrame.left", 48);
        h.rcFrame[1] = block.Int16("rcFrame.top", 50);
        h.rcFrame[2] = block.Int16("rcFrame.right", 52);
        h.rcFrame[3] = block.Int16("rcFrame.bottom", 54);
    }

    void VideoStream(StreamRecord& s) {
        record_.videoHandlerOffset = s.handlerField.offset;
        record_.videoHandler = platform::AsciiUpper(s.header.fccHandler);
        record_.videoScale = s.header.scale;
        record_.videoRateOffset = s.rateField.offset;
        record_.videoRate = s.header.rate;
        record_.framesPerSec =
            s.header.scale > 0 ? static_cast<double>(s.header.rate) / s.header.scale : 0.0;
        // The format comes from the strf that follows; a strf too small to hold
        // biCompression has no video format (a patch there would land in the next chunk).
        // Type-1 DV has a DVINFO record there, with no compression code.
        if (!s.strfRow || s.formatSize < kBitmapCompressionEnd || s.IsInterleavedDv()) return;
        FieldBlock block(file_, s.formatDataOffset, kBitmapInfoBytes,
                         "strf[" + std::to_string(s.index) + "]", record_.fields, "a video format");
        VideoFormat v;
        block.Int32("biSize", 0);
        v.width = block.Int32("biWidth", 4);
        v.height = block.Int32("biHeight", 8);
        block.Int16("biPlanes", 12);
        v.bitCount = block.Int16("biBitCount", 14);
        v.compression = block.FourCC("biCompression", 16, &v.compressionField);
        record_.videoCompressionOffset = v.compressionField.offset;
        record_.videoCompression = platform::AsciiUpper(v.compression);
        s.video = std::move(v);
    }

    void AudioStream(StreamRecord& s) {
        record_.audioHeader = s.header;
        record_.audioStartOffset = s.startField.offset;
        record_.audioDelayStart = s.header.start;
        if (!s.strfRow) return;
        FieldBlock block(file_, s.formatDataOffset, kWaveFormatBytes,
                         "strf[" + std::to_string(s.index) + "]", record_.fields,
                         "an audio format");
        AudioFormat a;
        a.formatTag = static_cast<std::uint16_t>(block.Int16("wFormatTag", 0));
        a.channels = block.Int16("nChannels", 2);
        a.samplesPerSec = block.Int32("nSamplesPerSec", 4);
        a.avgBytesPerSec = block.Int32("nAvgBytesPerSec", 8);
        a.blockAlign = block.Int16("nBlockAlign", 12);
        a.bitsPerSample = block.Int16("wBitsPerSample", 14);
        s.audio = a;
    }

    void TextRow(std::size_t i) {
        const auto& row = map_[i];
        TextItem item;
        item.id = row.id;
        item.row = i;
        item.dataOffset = row.DataOffset();
        item.size = row.size;
        const auto want = static_cast<std::size_t>(
            std::min<std::int64_t>(std::clamp(row.size, 0, kMaxTextItemBytes), textBudget_));
        const auto bytes = file_.ReadVectorAt(item.DataOffset(), want);
        item.bytes.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        textBudget_ -= static_cast<std::int64_t>(bytes.size());
        if (!bytes.empty()) {
            item.field = FieldRef{row.id + "[" + std::to_string(i) + "]", item.DataOffset(),
                                  static_cast<int>(bytes.size())};
            record_.fields.push_back(item.field);
        }
        record_.textItems.push_back(std::move(item));
    }

    platform::RandomAccessFile& file_;
    const ChunkMap& map_;
    HeaderRecord record_;
    std::int64_t textBudget_ = kMaxTextBytesTotal;
};

}  // namespace

HeaderRecord DecodeHeaders(platform::RandomAccessFile& file, const ChunkMap& chunkMap) {
    HeaderRecord record = Decoder(file, chunkMap).Run();
    record.loadedLength = file.Length();
    return record;
}

}  // namespace brelvo::avi
