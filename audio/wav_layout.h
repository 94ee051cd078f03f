// SPDX-License-Identifier: GPL-2.0-or-later
// The WAV file the extraction writes: "RIFF", its size, "WAVE", "fmt " with the movie's own
// format chunk copied whole (and a pad byte after an odd body, as RIFF wants and other
// programs need to find the next chunk), "data", its size, the samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace brelvo::audio {

// formatChunk: the 4 size bytes and the body of the movie's format chunk.
std::vector<std::byte> WavHeader(std::span<const std::byte> formatChunk, std::uint32_t dataSize);

// The format chunk's body with its pad byte: S, or S + 1 for an odd S.
inline std::int64_t PaddedFormatSize(std::span<const std::byte> formatChunk) {
    const auto body = static_cast<std::int64_t>(formatChunk.size()) - 4;
    return body + (body & 1);
}
// Where the data size field lies: 24 + S (+ 1 for an odd S).
inline std::int64_t WavDataSizeOffset(std::span<const std::byte> formatChunk) {
    return 24 + PaddedFormatSize(formatChunk);
}
inline constexpr std::int64_t kWavRiffSizeOffset = 4;

// The largest data size a WAV file can state with its 32-bit sizes.
std::int64_t MaxWavDataSize(std::span<const std::byte> formatChunk);

}  // namespace brelvo::audio
