// SPDX-License-Identifier: GPL-2.0-or-later
// The numbers a command line gives: a rate, a delay, a stream number.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brelvo::cli {

// A decimal number written out in full ("29.97", "0.5", "-1"), the point or the locale's
// separator before the decimals; nothing for any other text.
std::optional<double> ParseDecimal(std::string_view text);
// A whole number in full ("30000"); nothing for any other text or one beyond 64 bits.
std::optional<long long> ParseWhole(std::string_view text);

}  // namespace brelvo::cli
