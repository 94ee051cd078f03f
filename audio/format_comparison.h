// SPDX-License-Identifier: GPL-2.0-or-later
// Two wave format records compared by what they say about the samples, not byte for byte:
// sound editors save the movie's own format in other words (a 16-byte record for an 18-byte
// one whose cbSize is 0, WAVE_FORMAT_EXTENSIBLE for 24-bit or multichannel PCM).
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace brelvo::audio {

// The bodies of the two "fmt " chunks (without their size fields). One phrase per field that
// differs, "44100 Hz in the WAV file, 48000 Hz in the movie"; nothing when they mean the same.
// Records too short to hold the basic fields are compared byte for byte.
std::vector<std::string> FormatDifferences(std::span<const std::byte> wavFormat,
                                           std::span<const std::byte> movieFormat);

}  // namespace brelvo::audio
