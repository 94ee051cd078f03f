// SPDX-License-Identifier: GPL-2.0-or-later
// Reading and showing numbers.
#include "platform/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace brelvo::platform {
namespace {
char gSeparator = '.';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string WithSeparator(std::string text) {
    if (gSeparator != '.') {
        for (char& c : text) {
            if (c == '.') c = gSeparator;
        }
    }
    return text;
}

// Fixed decimals, integer part padded with zeros to minDigits; never "-0.00".
std::string FormatFixed(double value, int decimals, int minDigits) {
    if (!std::isfinite(value)) return {};
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, std::fabs(value));
    std::string digits = buffer;
    const auto point = digits.find('.');
    const auto intLength = static_cast<int>(point == std::string::npos ? digits.size() : point);
    if (intLength < minDigits) digits.insert(0, static_cast<std::size_t>(minDigits - intLength), '0');
    bool allZero = true;
    for (const char c : digits) {
        if (IsDigit(c) && c != '0') allZero = false;
    }
    if (value < 0 && !allZero) digits.insert(digits.begin(), '-');
    return WithSeparator(digits);
}
}  // namespace

void SetDecimalSeparator(char separator) { gSeparator = separator; }
char DecimalSeparator() { return gSeparator; }

double ReadLeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::string number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) number += text[i++];
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
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

std::string FormatPlain(std::int64_t value) { return std::to_string(value); }

std::string FormatPattern(double value, Pattern pattern) {
    switch (pattern) {
        case Pattern::Fixed4: return FormatFixed(value, 4, 1);
        case Pattern::Fixed2: return FormatFixed(value, 2, 1);
        case Pattern::Fixed5: return FormatFixed(value, 5, 1);
        case Pattern::Width4Fixed2: return FormatFixed(value, 2, 4);
        case Pattern::Zero6: return FormatFixed(value, 0, 6);
    }
    return {};
}

std::string FormatGeneral(double value) {
    if (!std::isfinite(value)) return {};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    if (text == "-0") text = "0";
    return WithSeparator(text);
}

}  // namespace brelvo::platform
