// SPDX-License-Identifier: GPL-2.0-or-later
// Number reading, the display patterns and the rounding rules.
#include "platform/number_text.h"

#include <gtest/gtest.h>

#include "platform/rounding.h"
#include "tests/support/comma_locale.h"

namespace brelvo::platform {
namespace {

TEST(ReadLeadingNumber, TakesTheLeadingNumberAndZeroOtherwise) {
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("29.97"), 29.97);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("  -12.5 frames"), -12.5);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("-"), 0.0);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("1e3"), 1000.0);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("7e"), 7.0);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("1e999"), 0.0);  // not finite: no number
}

TEST(ReadLeadingNumber, ACommaLocaleReadsThePointAndReadsBackWhatItShows) {
    const brelvo::testing::CommaLocale comma;
    BRELVO_ASSERT_COMMA_LOCALE(comma);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("23.976"), 23.976);  // the point always works
    const std::string shown = FormatPattern(29.97, Pattern::Fixed4);
    EXPECT_EQ(shown, "29,9700");
    EXPECT_DOUBLE_EQ(ReadLeadingNumber(shown), 29.97);
    EXPECT_EQ(FormatPattern(0.125, Pattern::Fixed2), "0,13");
    EXPECT_EQ(FormatGeneral(0.25), "0,25");
}

TEST(FormatPattern, ShowsEveryPatternsDigitsAndTheGeneralOneWithoutTrailingZeros) {
    EXPECT_EQ(FormatPattern(25, Pattern::Fixed4), "25.0000");
    EXPECT_EQ(FormatPattern(0.0226757, Pattern::Fixed5), "0.02268");
    EXPECT_EQ(FormatPattern(375, Pattern::Width4Fixed2), "0375.00");
    EXPECT_EQ(FormatPattern(1234, Pattern::Zero6), "001234");
    EXPECT_EQ(FormatPattern(1000000, Pattern::Zero6), "1000000");
    EXPECT_EQ(FormatPattern(-5, Pattern::Zero6), "-000005");
    EXPECT_EQ(FormatPattern(-0.00001, Pattern::Fixed2), "0.00");
    EXPECT_EQ(FormatPattern(1.0 / 0.0, Pattern::Fixed4), "");
    // Halves round away from zero on the decimal value as written, not on its binary double.
    EXPECT_EQ(FormatPattern(0.125, Pattern::Fixed2), "0.13");
    EXPECT_EQ(FormatPattern(2.675, Pattern::Fixed2), "2.68");
    EXPECT_EQ(FormatPattern(-0.125, Pattern::Fixed2), "-0.13");
    EXPECT_EQ(FormatPattern(9.99995, Pattern::Fixed4), "10.0000");
    EXPECT_EQ(FormatPattern(999.995, Pattern::Width4Fixed2), "1000.00");
    // The general pattern drops trailing zeros.
    EXPECT_EQ(FormatGeneral(40), "40");
    EXPECT_EQ(FormatGeneral(1.0 / 3.0), "0.333333333333333");
}

TEST(Rounding, HalfToEvenAndNarrowingTo32Bits) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(ToInt32(2147483647.0), 2147483647);
    EXPECT_FALSE(ToInt32(2147483648.0).has_value());
    EXPECT_FALSE(ToInt32(0.0 / 0.0).has_value());
}

}  // namespace
}  // namespace brelvo::platform
