// SPDX-License-Identifier: GPL-2.0-or-later
// What loading shows on the main window, replayed row by row of the ChunkMap.
#include "avi/load_display.h"

#include <algorithm>
#include <string_view>
#include <utility>

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
    void Set(const std::string& control, std::string text) {
        shown_.texts[control] = std::move(text);
    }

    void MainHeaderRow(const MainHeader& h) {
        // The last main header stands for the whole movie, whose count may come from
        // elsewhere (the dmlh of a large movie).
        totalFrames_ = rangeTo_ =
            &h == record_.LastMainHeader() ? record_.totalFrames : h.totalFrames;
        Set("Label6", "MicroSeconds Per Frame: " + FormatPlain(h.microSecPerFrame));
        Set("Label7", "Peak Bitrate: " + FormatPlain(h.maxBytesPerSec));
        Set("Label2", "Frames: " + FormatPlain(totalFrames_));
        Set("Label9", "Streams (i.e. Video,Audio): " + FormatPlain(h.streams));
        Set("Label10", "Resolution " + FormatPlain(h.width) + " x " + FormatPlain(h.height));
    }

    void VideoRow(const StreamRecord& s) {
        const auto& h = s.header;
        const int handlerItem = MatchingCodecItem(CodecList::HeaderHandler, h.fccHandler);
        if (handlerItem >= 0) shown_.combo1Index = handlerItem;
        Set("Label15", "Compression: " + platform::AnsiToUtf8(h.fccHandler) +
                           std::string(VideoCodecDescription(h.fccHandler)));
        // A dwScale of 0 or less (no time base) or a dwRate of 0 leaves the values that
        // divide by it unshown.
        if (h.scale > 0) {
            const double fps = static_cast<double>(h.rate) / h.scale;
            Set("Label3", "Frames Per Sec: " + Fixed4(fps));
            Set("Text1", Fixed4(fps));
            Set("Label21", "FPS: " + Fixed4(fps));
            if (fps != 0.0) Set("Label8", "Running Time: " + Fixed4(totalFrames_ / fps) + " Secs.");
        }
        Set("Label11", "From: 1 To: " + FormatPlain(rangeTo_));
        Set("Label13", "Quality Level: " + FormatPlain(h.quality) + " (1 - 10000)");
        if (s.video) {
            Set("Label14", "Colour Depth: " + FormatPlain(s.video->bitCount) + "Bits.");
            const int item = MatchingCodecItem(CodecList::StreamCompression, s.video->compression);
            if (item >= 0) shown_.combo2Index = item;
        }
    }

    void AudioRow(const StreamRecord& s) {
        const auto& h = s.header;
        shown_.enabled.insert({"Frame2", "Command12", "Command13"});
        shown_.shown.insert("Frame4");
        if (h.scale != 0 && h.rate != 0) {
            const double perSec = static_cast<double>(h.rate) / h.scale;
            Set("Label18", "Audio Delay: " + platform::FormatGeneral(h.start / perSec) + " Secs.");
            Set("Text11", Fixed4(h.length / perSec));
        }
        if (!s.audio) return;  // no format row: the wave labels stay as they were
        const auto& a = *s.audio;
        Set("Label5", "Wave Type: " + FormatPlain(a.formatTag) +
                          std::string(WaveFormatDescription(a.formatTag)));
        Set("Label17", "Channels: " + FormatPlain(a.channels) +
                           (a.channels == 1 ? " (i.e. Mono)" : " (i.e. Stereo)"));
        Set("Label12", "Samples Rate: " + FormatPlain(a.samplesPerSec));
        Set("Label16", "Bit Depth: " + FormatPlain(a.bitsPerSample));
    }

    void TextRow(const TextItem& t) {
        if (t.id == kDisplayNameId) {
            DisplayNameRow(t);
            return;
        }
        for (const auto& item : kAuthorItems) {
            if (t.id != item.id) continue;
            const std::string control(item.box);
            Set(control, platform::AnsiToUtf8(t.bytes));
            shown_.maxLengths[control] = static_cast<int>(t.bytes.size());
            // An empty item has no room for a single character, and a box of maximum length 0
            // would take text without limit that could never be written: it stays disabled.
            if (!t.bytes.empty()) shown_.enabled.insert(control);
            shown_.enabled.insert("Command2");
        }
    }

    void DisplayNameRow(const TextItem& t) {
        if (t.bytes.size() >= kDisplayNameLimit) return;
        // The box takes no more than the room behind the type field, which Apply keeps; with
        // no room at all it stays disabled, as an empty INFO item does.
        const auto room = DisplayNameRoom(t.bytes);
        shown_.maxLengths["disp"] = static_cast<int>(room);
        Set("disp", platform::AnsiToUtf8(DisplayNameText(t.bytes)));
        if (room > 0) shown_.enabled.insert("disp");
        shown_.enabled.insert("Command2");
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
