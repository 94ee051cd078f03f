// SPDX-License-Identifier: GPL-2.0-or-later
// Comparing wave format records by meaning.
#include "audio/format_comparison.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "avi/name_tables.h"
#include "platform/little_endian.h"

namespace brelvo::audio {
namespace {

constexpr std::uint16_t kExtensible = 0xFFFE;
constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kIeeeFloat = 3;
// The sub-format GUIDs of the plain tags: the tag, then these 12 bytes as stored.
constexpr std::array<std::uint8_t, 12> kTagGuidTail = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00,
                                                       0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

struct Meaning {
    std::uint16_t tag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;  // 0 in a 14-byte record, which has none
    std::uint16_t validBits = 0;      // of an extensible record; 0: all of them
    std::vector<std::byte> extra;     // the cbSize bytes; none without cbSize
};

std::optional<Meaning> Read(std::span<const std::byte> body) {
    if (body.size() < 14) return std::nullopt;
    Meaning m;
    m.tag = platform::ReadU16(body, 0);
    m.channels = platform::ReadU16(body, 2);
    m.samplesPerSec = platform::ReadU32(body, 4);
    m.avgBytesPerSec = platform::ReadU32(body, 8);
    m.blockAlign = platform::ReadU16(body, 12);
    if (body.size() >= 16) m.bitsPerSample = platform::ReadU16(body, 14);
    if (body.size() >= 18) {
        const std::size_t cbSize = platform::ReadU16(body, 16);
        const auto extra = body.subspan(18, std::min(cbSize, body.size() - 18));
        m.extra.assign(extra.begin(), extra.end());
    }
    // Extensible PCM or float: the plain tag in other words (the channel mask says where the
    // speakers stand, nothing about the bytes).
    if (m.tag == kExtensible && m.extra.size() >= 22) {
        const auto ext = std::span<const std::byte>(m.extra);
        const std::uint32_t subTag = platform::ReadU32(ext, 6);
        const bool standard =
            std::equal(kTagGuidTail.begin(), kTagGuidTail.end(), ext.begin() + 10,
                       [](std::uint8_t a, std::byte b) { return std::byte{a} == b; });
        if (standard && (subTag == kPcm || subTag == kIeeeFloat)) {
            m.validBits = platform::ReadU16(ext, 0);
            m.tag = static_cast<std::uint16_t>(subTag);
            m.extra.clear();
        }
    }
    return m;
}

std::string Count(std::uint64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string WaveType(std::uint16_t tag) {
    return std::to_string(tag) +
           std::string(avi::WaveFormatDescription(static_cast<std::int16_t>(tag)));
}

std::string Phrase(const std::string& inWav, const std::string& inMovie) {
    return inWav + " in the WAV file, " + inMovie + " in the movie";
}

}  // namespace

std::vector<std::string> FormatDifferences(std::span<const std::byte> wavFormat,
                                           std::span<const std::byte> movieFormat) {
    const auto wav = Read(wavFormat);
    const auto movie = Read(movieFormat);
    if (!wav || !movie) {
        if (std::ranges::equal(wavFormat, movieFormat)) return {};
        return {"its format chunk differs from the movie's sound format"};
    }
    std::vector<std::string> phrases;
    const auto field = [&](auto member, const std::function<std::string(std::uint64_t)>& words) {
        if ((*wav).*member != (*movie).*member) {
            phrases.push_back(Phrase(words((*wav).*member), words((*movie).*member)));
        }
    };
    if (wav->tag != movie->tag) {
        phrases.push_back("wave type " + Phrase(WaveType(wav->tag), WaveType(movie->tag)));
    }
    field(&Meaning::channels, [](std::uint64_t n) { return Count(n, "channel", "channels"); });
    field(&Meaning::samplesPerSec, [](std::uint64_t n) { return std::to_string(n) + " Hz"; });
    field(&Meaning::avgBytesPerSec,
          [](std::uint64_t n) { return std::to_string(n) + " bytes per second"; });
    field(&Meaning::blockAlign,
          [](std::uint64_t n) { return "blocks of " + Count(n, "byte", "bytes"); });
    field(&Meaning::bitsPerSample,
          [](std::uint64_t n) { return Count(n, "bit per sample", "bits per sample"); });
    const auto valid = [](const Meaning& m) { return m.validBits ? m.validBits : m.bitsPerSample; };
    if (wav->bitsPerSample == movie->bitsPerSample && valid(*wav) != valid(*movie)) {
        phrases.push_back(
            Phrase(Count(valid(*wav), "valid bit per sample", "valid bits per sample"),
                   Count(valid(*movie), "valid bit per sample", "valid bits per sample")));
    }
    if (wav->extra.size() != movie->extra.size()) {
        const auto extra = [](std::size_t n) {
            return Count(n, "extra format byte", "extra format bytes");
        };
        phrases.push_back(Phrase(extra(wav->extra.size()), extra(movie->extra.size())));
    } else if (wav->extra != movie->extra) {
        phrases.push_back("other " +
                          Count(wav->extra.size(), "extra format byte", "extra format bytes") +
                          " in the WAV file than in the movie");
    }
    return phrases;
}

}  // namespace brelvo::audio
