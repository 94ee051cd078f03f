// SPDX-License-Identifier: GPL-2.0-or-later
// What loading shows on the main window, replayed row by row of the ChunkMap.
#include "avi/load_display.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "avi/author_item_table.h"
#include "avi/chunk_ids.h"
#include "avi/name_tables.h"
#include "platform/ansi_codec.h"
#include "platform/number_text.h"

namespace brelvo::avi {
namespace {

using platform::FormatPlain;

constexpr std::size_t kDisplayNameLimit = 500;

std::string Fixed4(double value) {
    return platform::FormatPattern(value, platform::Pattern::Fixed4);
}

class Replay {
  public:
    explicit Replay(const HeaderRecord& record) : record_(record) {}

    LoadDisplay Run(const ChunkMap& chunkMap) {
        // The decoded items are in row order; walking them beside the rows keeps a hostile
        // map of 100000 rows linear.
        std::size_t m = 0, s = 0, t = 0;
        const auto& mains = record_.mainHeaders;
        const auto& streams = record_.streams;
        const auto& texts = record_.textItems;
        for (std::size_t i = 0; i < chunkMap.size(); ++i) {
            for (; m < mains.size() && mains[m].row <= i; ++m) MainHeaderRow(mains[m]);
            for (; s < streams.size() && streams[s].strhRow <= i; ++s) {
                if (streams[s].IsVideo()) VideoRow(streams[s]);
                if (streams[s].IsAudio()) AudioRow(streams[s]);
            }
            for (; t < texts.size() && texts[t].row <= i; ++t) TextRow(texts[t]);
        }
        return std::move(shown_);
    }

  private:
    void Set(InfoLine key, std::string_view value) {
        shown_.lines[key] = std::string(InformationLine(key).prefix) + std::string(value);
    }

    void MainHeaderRow(const MainHeader& h) {
        // The last main header stands for the whole movie, whose count may come from
        // elsewhere (the dmlh of a large movie).
        totalFrames_ = rangeTo_ =
            &h == record_.LastMainHeader() ? record_.totalFrames : h.totalFrames;
        Set(InfoLine::MicroSecPerFrame, FormatPlain(h.microSecPerFrame));
        Set(InfoLine::PeakBitrate, FormatPlain(h.maxBytesPerSec));
        Set(InfoLine::Frames, FormatPlain(totalFrames_));
        Set(InfoLine::Streams, FormatPlain(h.streams));
        Set(InfoLine::Resolution, FormatPlain(h.width) + " x " + FormatPlain(h.height));
    }

    void VideoRow(const StreamRecord& s) {
        const auto& h = s.header;
        const int handlerItem = MatchingCodecItem(CodecList::HeaderHandler, h.fccHandler);
        if (handlerItem >= 0) shown_.combo1Index = handlerItem;
        Set(InfoLine::Compression,
            platform::AnsiToUtf8(h.fccHandler) + std::string(VideoCodecDescription(h.fccHandler)));
        // A dwScale of 0 or less (no time base) or a dwRate of 0 leaves the values that
        // divide by it unshown.
        if (h.scale > 0) {
            const double fps = static_cast<double>(h.rate) / h.scale;
            Set(InfoLine::FramesPerSec, Fixed4(fps));
            Set(InfoLine::FrameRateBox, Fixed4(fps));
            Set(InfoLine::FrameRateCaption, Fixed4(fps));
            if (fps != 0.0) Set(InfoLine::RunningTime, Fixed4(totalFrames_ / fps) + " Secs.");
        }
        Set(InfoLine::Range, "1 To: " + FormatPlain(rangeTo_));
        Set(InfoLine::Quality, FormatPlain(h.quality) + " (1 - 10000)");
        if (s.video) {
            Set(InfoLine::ColourDepth, FormatPlain(s.video->bitCount) + "Bits.");
            const int item = MatchingCodecItem(CodecList::StreamCompression, s.video->compression);
            if (item >= 0) shown_.combo2Index = item;
        }
    }

    void AudioRow(const StreamRecord& s) {
        const auto& h = s.header;
        shown_.hasAudio = true;
        if (h.scale != 0 && h.rate != 0) {
            const double perSec = static_cast<double>(h.rate) / h.scale;
            Set(InfoLine::AudioDelay, platform::FormatGeneral(h.start / perSec) + " Secs.");
            Set(InfoLine::AudioLengthBox, Fixed4(h.length / perSec));
        }
        if (!s.audio) return;  // no format row: the wave lines stay as they were
        const auto& a = *s.audio;
        Set(InfoLine::WaveType,
            FormatPlain(a.formatTag) + std::string(WaveFormatDescription(a.formatTag)));
        Set(InfoLine::Channels,
            FormatPlain(a.channels) + (a.channels == 1 ? " (i.e. Mono)" : " (i.e. Stereo)"));
        Set(InfoLine::SampleRate, FormatPlain(a.samplesPerSec));
        Set(InfoLine::BitDepth, FormatPlain(a.bitsPerSample));
    }

    void TextRow(const TextItem& t) {
        if (t.id == kDisplayNameId) {
            DisplayNameRow(t);
        } else if (IsInfoTextItem(t.id)) {
            // An empty item has no room for a single character, and a box of maximum length 0
            // would take text without limit that could never be written: it stays disabled.
            Author(t.id, platform::AnsiToUtf8(t.bytes), t.bytes.size());
        }
    }

    void DisplayNameRow(const TextItem& t) {
        if (t.bytes.size() >= kDisplayNameLimit) return;
        // The box takes no more than the room behind the type field, which Apply keeps; with
        // no room at all it stays disabled, as an empty INFO item does.
        Author(t.id, platform::AnsiToUtf8(DisplayNameText(t.bytes)), DisplayNameRoom(t.bytes));
    }

    void Author(const std::string& id, std::string text, std::size_t room) {
        shown_.author[id] = std::move(text);
        shown_.authorRoom[id] = static_cast<int>(room);
        // Any item of the id with room makes its box editable: Apply writes every one of them.
        if (room > 0) shown_.authorEditable.insert(id);
    }

    const HeaderRecord& record_;
    LoadDisplay shown_;
    std::int32_t totalFrames_ = 0;
    std::int32_t rangeTo_ = 0;
};

}  // namespace

namespace {
constexpr std::size_t kTypeFieldBytes = 4;

bool ShownAsBlank(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 32 || code >= 129;
}
}  // namespace

std::string DisplayNameText(std::string_view data) {
    // Blanks the clipboard-format number before the name and the closing zero.
    std::string text(data);
    for (char& c : text) {
        if (ShownAsBlank(c)) c = ' ';
    }
    const auto first = text.find_first_not_of(' ');
    text.erase(0, first == std::string::npos ? text.size() : first);
    return text;
}

bool HasDisplayTypeField(std::string_view data) {
    if (data.size() < kTypeFieldBytes) return false;
    const auto field = data.substr(0, kTypeFieldBytes);
    return std::all_of(field.begin(), field.end(), ShownAsBlank) &&
           std::any_of(field.begin(), field.end(), [](char c) { return c != '\0'; });
}

std::size_t DisplayNameRoom(std::string_view data) {
    return HasDisplayTypeField(data) ? data.size() - kTypeFieldBytes : data.size();
}

LoadDisplay DescribeLoad(const HeaderRecord& record, const ChunkMap& chunkMap) {
    return Replay(record).Run(chunkMap);
}

}  // namespace brelvo::avi
