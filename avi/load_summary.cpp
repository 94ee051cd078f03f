// SPDX-License-Identifier: GPL-2.0-or-later
// The summary texts of a finished load and the range-list helper.
#include "avi/load_summary.h"

#include <algorithm>

#include "platform/ansi_codec.h"
#include "platform/number_text.h"
#include "platform/path_text.h"

namespace brelvo::avi {

std::string isolatename(std::string_view path) {
    // A bare name (a relative path given in a shell) is the name itself.
    std::size_t start = path.size();
    while (start > 0 && !platform::IsPathSeparator(path[start - 1])) --start;
    return platform::Utf8Upper(path.substr(start));
}

std::string FileSizeText(std::int64_t fileLength) {
    return "File Size: " + platform::FormatPlain(fileLength) + " bytes. (" +
           platform::FormatPattern(static_cast<double>(fileLength) / 1048576.0,
                                   platform::Pattern::Fixed2) +
           "MB.)";
}

std::string RangeEntryText(double from, double to) {
    return platform::FormatPattern(from, platform::Pattern::Zero6) + " - " +
           platform::FormatPattern(to, platform::Pattern::Zero6);
}

bool AddRangeEntry(std::vector<std::string>& items, int& selectedIndex, const std::string& text) {
    if (text.empty()) return false;
    const auto upper = platform::AsciiUpper(text);
    if (std::any_of(items.begin(), items.end(),
                    [&](const std::string& item) { return platform::AsciiUpper(item) == upper; })) {
        return false;
    }
    items.push_back(text);
    selectedIndex = static_cast<int>(items.size()) - 1;
    return true;
}

}  // namespace brelvo::avi
