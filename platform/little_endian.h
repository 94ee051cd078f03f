// SPDX-License-Identifier: GPL-2.0-or-later
// Little-endian numbers in byte buffers: every number in AVI and WAV files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace brelvo::platform {

inline std::uint32_t ReadU32(std::span<const std::byte> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
inline std::int32_t ReadI32(std::span<const std::byte> b, std::size_t at) {
    return static_cast<std::int32_t>(ReadU32(b, at));
}
inline std::uint16_t ReadU16(std::span<const std::byte> b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned>(b[at]) |
                                      (static_cast<unsigned>(b[at + 1]) << 8));
}
inline std::int16_t ReadI16(std::span<const std::byte> b, std::size_t at) {
    return static_cast<std::int16_t>(ReadU16(b, at));
}
inline void WriteU32(std::span<std::byte> b, std::size_t at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) b[at + k] = static_cast<std::byte>((v >> (8 * k)) & 0xFF);
}
inline void WriteI32(std::span<std::byte> b, std::size_t at, std::int32_t v) {
    WriteU32(b, at, static_cast<std::uint32_t>(v));
}
// Four bytes as characters.
inline std::string ReadFourCC(std::span<const std::byte> b, std::size_t at) {
    std::string s(4, '\0');
    for (int k = 0; k < 4; ++k) s[k] = static_cast<char>(b[at + k]);
    return s;
}

}  // namespace brelvo::platform
