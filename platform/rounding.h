// SPDX-License-Identifier: GPL-2.0-or-later
// Whole numbers from fractions, and checked narrowing to the 32-bit fields of the files.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace brelvo::platform {

// "Rounded down": the largest integer not above the value.
inline double RoundDown(double value) {
    return std::floor(value);
}

// "Rounded": to the nearest integer, halves to the even neighbour.
inline double RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

// The value as a signed 32-bit number when it is a finite whole number in range.
inline std::optional<std::int32_t> ToInt32(double wholeValue) {
    if (!std::isfinite(wholeValue) ||
        wholeValue < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        wholeValue > static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(wholeValue);
}

}  // namespace brelvo::platform
