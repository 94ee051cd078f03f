// SPDX-License-Identifier: GPL-2.0-or-later
// The information tab's lines once loading has finished.
#include <string_view>

#include "avi/load_display.h"
#include "avi/load_summary.h"
#include "platform/number_text.h"

namespace brelvo::avi {

std::vector<std::string> InformationTabLines(const HeaderRecord& record, const ChunkMap& chunkMap,
                                             const std::string& path, std::int64_t fileSize) {
    auto display = DescribeLoad(record, chunkMap);
    const auto prefix = [](InfoLine key) { return std::string(InformationLine(key).prefix); };
    display.lines[InfoLine::Filename] = prefix(InfoLine::Filename) + isolatename(path);
    display.lines[InfoLine::FileSize] = FileSizeText(fileSize);
    // The whole-movie range entry is selected after the load, which selects frames 0 to the
    // frame count.
    display.lines[InfoLine::Range] =
        prefix(InfoLine::Range) + "0 To: " + platform::FormatPlain(record.totalFrames);
    std::vector<std::string> lines;
    for (const auto& entry : kInformationLines) {
        const bool shown = entry.section == InfoSection::Video ||
                           (entry.section == InfoSection::Audio && display.hasAudio);
        if (!shown) continue;
        const auto found = display.lines.find(entry.key);
        lines.push_back(found != display.lines.end() ? found->second : std::string(entry.initial));
    }
    return lines;
}

}  // namespace brelvo::avi
