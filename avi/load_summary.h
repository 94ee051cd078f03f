// SPDX-License-Identifier: GPL-2.0-or-later
// The summary texts of a finished load and the range-list helper of the display selection.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brelvo::avi {

// The part of the path after its last separator, or the whole path without one, upper-cased
// (letters beyond ASCII too).
std::string isolatename(std::string_view path);

// "File Size: n bytes. (m.mmMB.)"
std::string FileSizeText(std::int64_t fileLength);

// "000100 - 002500": both numbers in the "000000" pattern around " - ".
std::string RangeEntryText(double from, double to);

// Adds text as the last item and selects it, unless it is empty or already listed ignoring
// letter case; returns true when it was added.
bool AddRangeEntry(std::vector<std::string>& items, int& selectedIndex, const std::string& text);

}  // namespace brelvo::avi
