// SPDX-License-Identifier: GPL-2.0-or-later
// The information tab's lines once loading has finished.
#include <string_view>
#include <utility>

#include "avi/load_display.h"
#include "avi/load_summary.h"
#include "platform/number_text.h"
#include "platform/rounding.h"

namespace brelvo::avi {
namespace {

// The tab's labels in order, with the caption each keeps when loading gives it no value.
constexpr std::pair<std::string_view, std::string_view> kVideoLines[] = {
    {"Label15", "Compression:"},
    {"Label2", "Frames:"},
    {"Label3", "Frames Per Second: "},
    {"Label4", "File Size:"},
    {"Label6", "MicroSeconds Per Frame: "},
    {"Label7", "Peak Bitrate:"},
    {"Label8", "Running Time:"},
    {"Label9", "Streams:"},
    {"Label10", "Resolution:"},
    {"Label11", "Start Frame:"},
    {"Label13", "Quality Level:"},
    {"Label14", "Colour Depth:"},
    {"Label18", "Audio Delay:"},
};
constexpr std::pair<std::string_view, std::string_view> kAudioLines[] = {
    {"Label5", "Wave Type: "},
    {"Label12", "Sample Rate: "},
    {"Label16", "Bit Depth: "},
    {"Label17", "Audio Channels: "},
};

// Label11 after the load: the whole-movie range entry is selected, which selects frames 0 to
// the frame count (its two numbers are read on either side of " - ").
std::string DisplayRangeLine(std::int32_t totalFrames) {
    return "From: 0 To: " + platform::FormatPlain(totalFrames);
}

}  // namespace

std::vector<std::string> InformationTabLines(const HeaderRecord& record, const ChunkMap& chunkMap,
                                             const std::string& path, std::int64_t fileSize) {
    auto display = DescribeLoad(record, chunkMap);
    display.texts["Label4"] = FileSizeText(fileSize);
    display.texts["Label11"] = DisplayRangeLine(record.totalFrames);
    const auto line = [&](std::string_view control, std::string_view initial) {
        const auto found = display.texts.find(std::string(control));
        return found != display.texts.end() ? found->second : std::string(initial);
    };
    std::vector<std::string> lines{"Filename: " + isolatename(path)};
    for (const auto& [control, initial] : kVideoLines) lines.push_back(line(control, initial));
    if (display.enabled.contains("Frame2")) {
        for (const auto& [control, initial] : kAudioLines) lines.push_back(line(control, initial));
    }
    return lines;
}

}  // namespace brelvo::avi
