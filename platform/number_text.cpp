// SPDX-License-Identifier: GPL-2.0-or-later
// Reading and showing numbers. Nothing here consults the C library's locale: the window's
// toolkit sets it from the environment, and a comma there must not change what is read or
// written.
#include "platform/number_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace brelvo::platform {
namespace {
char gSeparator = '.';

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string WithSeparator(std::string text) {
    if (gSeparator != '.') {
        for (char& c : text) {
            if (c == '.') c = gSeparator;
        }
    }
    return text;
}

// The shortest decimal text that reads back as the value, in fixed notation, point separated.
std::string ShortestFixed(double value) {
    std::array<char, 512> buffer{};  // the longest fixed double has about 330 characters
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed);
    if (error != std::errc()) return {};
    return std::string(buffer.data(), end);
}

// Rounds a non-negative decimal text to `decimals` places, halves away from zero on the
// digits as written (0.125 gives 0.13, 2.675 gives 2.68), as a formatting pattern does.
std::string RoundDecimalText(const std::string& text, int decimals) {
    const auto point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    const auto places = static_cast<std::size_t>(decimals);
    const bool up = fraction.size() > places && fraction[places] >= '5';
    fraction.resize(places, '0');
    std::string digits = whole + fraction;
    if (up) {
        auto i = digits.size();
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[i - 1];
        }
    }
    const auto wholeLength = digits.size() - places;
    return places == 0 ? digits : digits.substr(0, wholeLength) + '.' + digits.substr(wholeLength);
}

// Fixed decimals, integer part padded with zeros to minDigits; never "-0.00".
std::string FormatFixed(double value, int decimals, int minDigits) {
    if (!std::isfinite(value)) return {};
    std::string digits = RoundDecimalText(ShortestFixed(std::fabs(value)), decimals);
    const auto point = digits.find('.');
    const auto intLength = static_cast<int>(point == std::string::npos ? digits.size() : point);
    if (intLength < minDigits)
        digits.insert(0, static_cast<std::size_t>(minDigits - intLength), '0');
    bool allZero = true;
    for (const char c : digits) {
        if (IsDigit(c) && c != '0') allZero = false;
    }
    if (value < 0 && !allZero) digits.insert(digits.begin(), '-');
    return WithSeparator(digits);
}

// A whole number padded with zeros to minDigits; halves go to the even neighbour.
std::string FormatWhole(double value, int minDigits) {
    if (!std::isfinite(value)) return {};
    std::array<char, 512> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                            std::fabs(value), std::chars_format::fixed, 0);
    if (error != std::errc()) return {};
    std::string digits(buffer.data(), end);
    if (static_cast<int>(digits.size()) < minDigits) {
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    }
    if (value < 0 && digits.find_first_not_of('0') != std::string::npos) digits.insert(0, "-");
    return digits;
}
}  // namespace

void SetDecimalSeparator(char separator) {
    gSeparator = separator;
}
char DecimalSeparator() {
    return gSeparator;
}

double ReadLeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::string number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-') number += '-';
        ++i;
    }
    bool anyDigit = false;
    while (i < text.size() && IsDigit(text[i])) {
        number += text[i++];
        anyDigit = true;
    }
    if (i < text.size() && (text[i] == '.' || text[i] == gSeparator)) {
        ++i;
        number += '.';
        while (i < text.size() && IsDigit(text[i])) {
            number += text[i++];
            anyDigit = true;
        }
    }
    if (!anyDigit) return 0.0;
    if (i + 1 < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) exponent += text[j++];
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) exponent += text[j++];
            number += exponent;
        }
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    return error == std::errc() && std::isfinite(value) ? value : 0.0;
}

std::string FormatPlain(std::int64_t value) {
    std::array<char, 24> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    (void)error;  // 24 characters hold every 64-bit number
    return std::string(buffer.data(), end);
}

std::string FormatPattern(double value, Pattern pattern) {
    switch (pattern) {
        case Pattern::Fixed4:
            return FormatFixed(value, 4, 1);
        case Pattern::Fixed2:
            return FormatFixed(value, 2, 1);
        case Pattern::Fixed5:
            return FormatFixed(value, 5, 1);
        case Pattern::Width4Fixed2:
            return FormatFixed(value, 2, 4);
        case Pattern::Zero6:
            return FormatWhole(value, 6);
    }
    return {};
}

std::string FormatGeneral(double value) {
    if (!std::isfinite(value)) return {};
    std::array<char, 64> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::general, 15);
    if (error != std::errc()) return {};
    std::string text(buffer.data(), end);
    if (text == "-0") text = "0";
    return WithSeparator(text);
}

}  // namespace brelvo::platform
