// SPDX-License-Identifier: GPL-2.0-or-later
// The display selection's rules: which frame range the "From" and "To" boxes select, and how
// the entries of the "Recent" list are written and read back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brelvo::editing {

// What one apply of the two boxes decides. An empty "From" box stops before anything changes;
// an empty "To" box stops after the start of the range is taken.
struct SelectionOutcome {
    bool fromTaken = false;  // rangeFrom holds the new start
    std::int32_t rangeFrom = 0;
    bool complete = false;  // the end, the label and the list entry below are set
    std::int32_t rangeTo = 0;
    std::optional<std::string> correctedToText;  // the "To" box's new text when it was corrected
    std::string label;                           // "From: a To: b"
    std::string entry;                           // the range entry for the "Recent" list
};

// Start below 0 or past the movie counts from frame 0 (the box keeps what was typed); an end
// before the start or past the movie becomes the frame count, and the box shows it.
SelectionOutcome ApplySelection(std::string_view fromText, std::string_view toText,
                                std::int32_t totalFrames);

// "000100 - 002500": the numbers read from the two box texts, six digits or more each.
std::string RangeEntry(std::string_view fromText, std::string_view toText);

struct RangeEnds {
    std::string from;
    std::string to;
};

// The two numbers of an entry, on either side of its " - ". Reading fixed six-character ends
// would turn "1000000 - 1200000" into 100000 and 200000; splitting at the separator reads back
// what was applied for any width. Text without a separator falls back to its first and last
// six characters.
RangeEnds RangeEntryEnds(std::string_view entry);

}  // namespace brelvo::editing
