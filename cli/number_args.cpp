// SPDX-License-Identifier: GPL-2.0-or-later
// Reading the numbers of a command line.
#include "cli/number_args.h"

#include <algorithm>
#include <charconv>

#include "platform/number_text.h"

namespace brelvo::cli {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const auto digitsFrom = [&](std::size_t from) {
        while (i < text.size() && IsDigit(text[i])) ++i;
        return i > from;
    };
    bool digits = digitsFrom(i);
    if (i < text.size() && (text[i] == '.' || text[i] == platform::DecimalSeparator())) {
        ++i;
        digits = digitsFrom(i) || digits;
    }
    if (!digits || i != text.size()) return std::nullopt;
    return platform::ReadLeadingNumber(text);
}

std::optional<long long> ParseWhole(std::string_view text) {
    long long value = 0;
    const auto* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

}  // namespace brelvo::cli
