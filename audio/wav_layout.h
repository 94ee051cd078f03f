// SPDX-License-Identifier: GPL-2.0-or-later
// The WAV file the extraction writes: "RIFF", its size, "WAVE", "fmt " with the movie's own
// format chunk copied whole (no pad byte after an odd body), "data", its size, the samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace brelvo::audio {

// formatChunk: the 4 size bytes and the body of the movie's format chunk.
std::vector<std::byte> WavHeader(std::span<const std::byte> formatChunk, std::uint32_t dataSize);

// Where the data size field lies: 24 + S.
inline std::int64_t WavDataSizeOffset(std::span<const std::byte> formatChunk) {
    return 20 + static_cast<std::int64_t>(formatChunk.size());
}
inline constexpr std::int64_t kWavRiffSizeOffset = 4;

// The largest data size a WAV file can state with its 32-bit sizes.
std::int64_t MaxWavDataSize(std::span<const std::byte> formatChunk);

}  // namespace brelvo::audio
