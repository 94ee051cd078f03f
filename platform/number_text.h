// SPDX-License-Identifier: GPL-2.0-or-later
// Numbers as the program reads them from text boxes and shows them on labels.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brelvo::platform {

// The decimal separator of the shown patterns: the user's locale setting. The GUI sets it
// from its locale at start; the default is the point.
void SetDecimalSeparator(char separator);
char DecimalSeparator();

// The leading decimal number of a text (leading blanks and a sign allowed, the point as
// decimal separator, also the locale's own separator so that numbers the program formatted
// read back), 0 when the text does not begin with a number.
double ReadLeadingNumber(std::string_view text);

// Plain decimal with a leading "-" when negative.
std::string FormatPlain(std::int64_t value);

enum class Pattern {
    Fixed4,        // "0.0000"
    Fixed2,        // "0.00"
    Fixed5,        // "0.00000"
    Width4Fixed2,  // "0000.00": at least four integer digits, two decimals
    Zero6,         // "000000": whole number padded with zeros to six digits
};

// The value in the pattern, with the locale's decimal separator.
std::string FormatPattern(double value, Pattern pattern);

// General form: up to 15 significant digits, no trailing zeros, the locale's separator.
std::string FormatGeneral(double value);

}  // namespace brelvo::platform
