// SPDX-License-Identifier: GPL-2.0-or-later
// The display selection's rules, free of any window: clamping, the label and the list entries.
#include "editing/display_selection.h"

#include <algorithm>

#include "avi/load_summary.h"
#include "platform/number_text.h"
#include "platform/rounding.h"

namespace brelvo::editing {
namespace {

constexpr std::string_view kSeparator = " - ";

// The whole frame number a box holds; values beyond 32 bits fall outside every movie anyway,
// so they take the same correction as any out-of-range number.
std::optional<std::int32_t> FrameNumber(std::string_view text) {
    return platform::ToInt32(platform::RoundDown(platform::ReadLeadingNumber(text)));
}

}  // namespace

SelectionOutcome ApplySelection(std::string_view fromText, std::string_view toText,
                                std::int32_t totalFrames) {
    SelectionOutcome outcome;
    if (fromText.empty()) return outcome;

    const auto from = FrameNumber(fromText);
    outcome.rangeFrom = (!from || *from < 0 || *from > totalFrames) ? 0 : *from;
    outcome.fromTaken = true;
    if (toText.empty()) return outcome;

    std::string finalToText(toText);
    const auto to = FrameNumber(toText);
    if (!to || *to < outcome.rangeFrom || *to > totalFrames) {
        outcome.rangeTo = totalFrames;
        finalToText = platform::FormatPlain(totalFrames);
        outcome.correctedToText = finalToText;
    } else {
        outcome.rangeTo = *to;
    }
    outcome.complete = true;
    outcome.label = "From: " + platform::FormatPlain(outcome.rangeFrom) +
                    " To: " + platform::FormatPlain(outcome.rangeTo);
    outcome.entry = RangeEntry(fromText, finalToText);
    return outcome;
}

std::string RangeEntry(std::string_view fromText, std::string_view toText) {
    return avi::RangeEntryText(platform::ReadLeadingNumber(fromText),
                               platform::ReadLeadingNumber(toText));
}

RangeEnds RangeEntryEnds(std::string_view entry) {
    const auto at = entry.find(kSeparator);
    if (at != std::string_view::npos) {
        return {std::string(entry.substr(0, at)),
                std::string(entry.substr(at + kSeparator.size()))};
    }
    const auto width = std::min<std::size_t>(6, entry.size());
    return {std::string(entry.substr(0, width)), std::string(entry.substr(entry.size() - width))};
}

}  // namespace brelvo::editing
