// SPDX-License-Identifier: GPL-2.0-or-later
// The display selection's rules that the window cannot show on its own: the stop at an empty
// "To" box and the reading of list entries of any width.
#include "editing/display_selection.h"

#include <gtest/gtest.h>

namespace brelvo::editing {
namespace {

TEST(ApplySelection, EmptyToTakesTheStartOnly) {
    const auto outcome = ApplySelection("7", "", 100);
    EXPECT_TRUE(outcome.fromTaken);
    EXPECT_EQ(outcome.rangeFrom, 7);
    EXPECT_FALSE(outcome.complete);
    EXPECT_EQ(ApplySelection("99999999999", "10", 100).rangeFrom, 0);  // past 32 bits
}

TEST(RangeEntryEnds, SevenDigitEntryReadsBackWhatWasApplied) {
    const auto entry = ApplySelection("1000000", "1200000", 2000000).entry;
    ASSERT_EQ(entry, "1000000 - 1200000");
    const auto ends = RangeEntryEnds(entry);  // fixed six-character ends: 100000 and 200000
    EXPECT_EQ(ends.from, "1000000");
    EXPECT_EQ(ends.to, "1200000");
    EXPECT_EQ(RangeEntryEnds("0001230004560").to, "004560");  // no separator: fixed ends
}

}  // namespace
}  // namespace brelvo::editing
