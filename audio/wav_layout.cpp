// SPDX-License-Identifier: GPL-2.0-or-later
// The WAV header.
#include "audio/wav_layout.h"

#include <string_view>

#include "platform/little_endian.h"

namespace brelvo::audio {
namespace {
void AppendText(std::vector<std::byte>& out, std::string_view text) {
    for (const char c : text) out.push_back(static_cast<std::byte>(c));
}
void AppendU32(std::vector<std::byte>& out, std::uint32_t value) {
    out.resize(out.size() + 4);
    platform::WriteU32(out, out.size() - 4, value);
}
}  // namespace

std::vector<std::byte> WavHeader(std::span<const std::byte> formatChunk, std::uint32_t dataSize) {
    std::vector<std::byte> header;
    const auto padded = static_cast<std::size_t>(PaddedFormatSize(formatChunk));
    header.reserve(28 + padded);
    AppendText(header, "RIFF");
    AppendU32(header, static_cast<std::uint32_t>(20 + padded + dataSize));
    AppendText(header, "WAVEfmt ");
    header.insert(header.end(), formatChunk.begin(), formatChunk.end());
    if (padded + 4 > formatChunk.size()) header.push_back(std::byte{0});
    AppendText(header, "data");
    AppendU32(header, dataSize);
    return header;
}

std::int64_t MaxWavDataSize(std::span<const std::byte> formatChunk) {
    return std::int64_t{0xFFFFFFFF} - 20 - PaddedFormatSize(formatChunk);
}

}  // namespace brelvo::audio
