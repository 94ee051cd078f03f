// SPDX-License-Identifier: GPL-2.0-or-later
// The display selection's rules that the window cannot show on its own: the stop at an empty
// "To" box and the reading of list entries without a separator.
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

// (Seven-digit entries read back whole: the window's selection test.)
TEST(RangeEntryEnds, AnEntryWithoutSeparatorHasFixedEnds) {
    EXPECT_EQ(RangeEntryEnds("0001230004560").to, "004560");
}

}  // namespace
}  // namespace brelvo::editing
