// SPDX-License-Identifier: GPL-2.0-or-later
// A tiny RIFF writer for byte-exact test movies: chunks, lists, and the standard AVI header
// records, assembled in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brelvo::testing {

using Bytes = std::vector<std::byte>;

Bytes ToBytes(std::string_view text);
void AppendU16(Bytes& out, std::uint16_t v);
void AppendU32(Bytes& out, std::uint32_t v);
void AppendText(Bytes& out, std::string_view text);
void Append(Bytes& out, const Bytes& more);

// id + size + data (+ a pad byte after odd data unless pad is false).
Bytes Chunk(std::string_view id, const Bytes& data, bool pad = true);
// A chunk whose size field says `declaredSize` whatever the data holds.
Bytes ChunkWithSize(std::string_view id, std::uint32_t declaredSize, const Bytes& data);
// "LIST" + size + type + the concatenated children.
Bytes List(std::string_view type, const std::vector<Bytes>& children);
// "RIFF" + size + form + the concatenated children.
Bytes Riff(std::string_view form, const std::vector<Bytes>& children);

struct AvihFields {
    std::uint32_t microSecPerFrame = 40000;
    std::uint32_t maxBytesPerSec = 0;
    std::uint32_t totalFrames = 25;
    std::uint32_t streams = 2;
    std::uint32_t width = 64;
    std::uint32_t height = 48;
};
Bytes AvihData(const AvihFields& f);  // 56 bytes

struct StrhFields {
    std::string fccType = "vids";
    std::string fccHandler = "DIV3";
    std::uint32_t scale = 1;
    std::uint32_t rate = 25;
    std::uint32_t start = 0;
    std::uint32_t length = 25;
    std::uint32_t quality = 10000;
    std::uint32_t sampleSize = 0;
};
Bytes StrhData(const StrhFields& f);  // 56 bytes

Bytes BitmapInfoData(std::string_view compression = "DIV3", std::uint16_t bitCount = 24,
                     std::int32_t width = 64, std::int32_t height = 48);  // 40 bytes
Bytes WaveFormatData(std::uint16_t tag = 1, std::uint16_t channels = 2,
                     std::uint32_t samplesPerSec = 44100, std::uint16_t bitsPerSample = 16,
                     std::uint16_t extraSize = 0xFFFF);  // 16 bytes, or 18 + extra with cbSize

// A well-formed movie: hdrl (avih, video strl, audio strl), INFO (INAM "Test"), movi with
// `frames` video chunks "00dc" and audio chunks "01wb", idx1.
struct SimpleMovie {
    int frames = 5;
    std::size_t videoChunkSize = 100;
    std::size_t audioChunkSize = 64;
    bool withAudio = true;
    bool withIndex = true;
    bool withInfo = true;
};
Bytes MakeSimpleMovie(const SimpleMovie& spec);

// Writes bytes to a new file in a fresh temporary folder; the folder is removed at exit.
std::string WriteTempFile(const Bytes& bytes, std::string_view name = "movie.avi");
Bytes ReadWholeFile(const std::string& path);
// Path of a committed fixture, e.g. FixturePath("ffmpeg_mpeg4_pcm.avi").
std::string FixturePath(std::string_view name);
// A fresh copy of a fixture in a temporary folder (tests write into movies).
std::string CopyFixture(std::string_view name);

}  // namespace brelvo::testing
