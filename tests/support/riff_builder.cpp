// SPDX-License-Identifier: GPL-2.0-or-later
// The test RIFF writer.
#include "tests/support/riff_builder.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#ifndef BRELVO_FIXTURE_DIR
#error "BRELVO_FIXTURE_DIR must name tests/fixtures"
#endif

namespace brelvo::testing {

Bytes ToBytes(std::string_view text) {
    Bytes b;
    AppendText(b, text);
    return b;
}

void AppendU16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::byte>(v & 0xFF));
    out.push_back(static_cast<std::byte>(v >> 8));
}

void AppendU32(Bytes& out, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) out.push_back(static_cast<std::byte>((v >> (8 * k)) & 0xFF));
}

void AppendText(Bytes& out, std::string_view text) {
    for (const char c : text) out.push_back(static_cast<std::byte>(c));
}

void Append(Bytes& out, const Bytes& more) {
    out.insert(out.end(), more.begin(), more.end());
}

Bytes Chunk(std::string_view id, const Bytes& data, bool pad) {
    Bytes b = ChunkWithSize(id, static_cast<std::uint32_t>(data.size()), data);
    if (pad && data.size() % 2 == 1) b.push_back(std::byte{0});
    return b;
}

Bytes ChunkWithSize(std::string_view id, std::uint32_t declaredSize, const Bytes& data) {
    Bytes b;
    AppendText(b, id);
    AppendU32(b, declaredSize);
    Append(b, data);
    return b;
}

namespace {
Bytes Container(std::string_view id, std::string_view type, const std::vector<Bytes>& children) {
    Bytes body;
    AppendText(body, type);
    for (const auto& c : children) Append(body, c);
    return Chunk(id, body, false);
}
}  // namespace

Bytes List(std::string_view type, const std::vector<Bytes>& children) {
    return Container("LIST", type, children);
}

Bytes Riff(std::string_view form, const std::vector<Bytes>& children) {
    return Container("RIFF", form, children);
}

Bytes AvihData(const AvihFields& f) {
    Bytes b;
    AppendU32(b, f.microSecPerFrame);
    AppendU32(b, f.maxBytesPerSec);
    AppendU32(b, 0);     // dwPaddingGranularity
    AppendU32(b, 0x10);  // dwFlags: has index
    AppendU32(b, f.totalFrames);
    AppendU32(b, 0);  // dwInitialFrames
    AppendU32(b, f.streams);
    AppendU32(b, 0);  // dwSuggestedBufferSize
    AppendU32(b, f.width);
    AppendU32(b, f.height);
    for (int k = 0; k < 4; ++k) AppendU32(b, 0);
    return b;
}

Bytes StrhData(const StrhFields& f) {
    Bytes b;
    AppendText(b, (f.fccType + "    ").substr(0, 4));
    AppendText(b, (f.fccHandler + std::string(4, '\0')).substr(0, 4));
    AppendU32(b, 0);  // dwFlags
    AppendU16(b, 0);  // wPriority
    AppendU16(b, 0);  // wLanguage
    AppendU32(b, 0);  // dwInitialFrames
    AppendU32(b, f.scale);
    AppendU32(b, f.rate);
    AppendU32(b, f.start);
    AppendU32(b, f.length);
    AppendU32(b, 0);  // dwSuggestedBufferSize
    AppendU32(b, f.quality);
    AppendU32(b, f.sampleSize);
    for (int k = 0; k < 4; ++k) AppendU16(b, 0);
    return b;
}

Bytes BitmapInfoData(std::string_view compression, std::uint16_t bitCount, std::int32_t width,
                     std::int32_t height) {
    Bytes b;
    AppendU32(b, 40);
    AppendU32(b, static_cast<std::uint32_t>(width));
    AppendU32(b, static_cast<std::uint32_t>(height));
    AppendU16(b, 1);
    AppendU16(b, bitCount);
    AppendText(b, (std::string(compression) + std::string(4, '\0')).substr(0, 4));
    for (int k = 0; k < 5; ++k) AppendU32(b, 0);
    return b;
}

Bytes WaveFormatData(std::uint16_t tag, std::uint16_t channels, std::uint32_t samplesPerSec,
                     std::uint16_t bitsPerSample, std::uint16_t extraSize) {
    Bytes b;
    const auto blockAlign = static_cast<std::uint16_t>(channels * bitsPerSample / 8);
    AppendU16(b, tag);
    AppendU16(b, channels);
    AppendU32(b, samplesPerSec);
    AppendU32(b, samplesPerSec * blockAlign);
    AppendU16(b, blockAlign);
    AppendU16(b, bitsPerSample);
    if (extraSize != 0xFFFF) {
        AppendU16(b, extraSize);
        for (std::uint16_t k = 0; k < extraSize; ++k) b.push_back(std::byte{0x11});
    }
    return b;
}

Bytes MakeSimpleMovie(const SimpleMovie& spec) {
    AvihFields avih;
    avih.totalFrames = static_cast<std::uint32_t>(spec.frames);
    avih.streams = spec.withAudio ? 2 : 1;
    std::vector<Bytes> hdrl = {Chunk("avih", AvihData(avih))};
    StrhFields video;
    video.length = static_cast<std::uint32_t>(spec.frames);
    hdrl.push_back(List("strl", {Chunk("strh", StrhData(video)), Chunk("strf", BitmapInfoData())}));
    if (spec.withAudio) {
        StrhFields audio;
        audio.fccType = "auds";
        audio.fccHandler = std::string(4, '\0');
        audio.scale = 4;
        audio.rate = 176400;
        audio.sampleSize = 4;
        audio.length = static_cast<std::uint32_t>(spec.frames * spec.audioChunkSize / 4);
        hdrl.push_back(
            List("strl", {Chunk("strh", StrhData(audio)), Chunk("strf", WaveFormatData())}));
    }
    std::vector<Bytes> parts = {List("hdrl", hdrl)};
    if (spec.withInfo)
        parts.push_back(List("INFO", {Chunk("INAM", ToBytes(std::string("Test\0", 5)))}));

    std::vector<Bytes> movi;
    Bytes index;
    std::uint32_t offset = 4;
    for (int i = 0; i < spec.frames; ++i) {
        Bytes frame(spec.videoChunkSize, static_cast<std::byte>(0x40 + i));
        movi.push_back(Chunk("00dc", frame));
        AppendText(index, "00dc");
        AppendU32(index, i == 0 ? 0x10 : 0);
        AppendU32(index, offset);
        AppendU32(index, static_cast<std::uint32_t>(frame.size()));
        offset += static_cast<std::uint32_t>(movi.back().size());
        if (spec.withAudio) {
            Bytes sound(spec.audioChunkSize, static_cast<std::byte>(0x80 + i));
            movi.push_back(Chunk("01wb", sound));
            AppendText(index, "01wb");
            AppendU32(index, 0x10);
            AppendU32(index, offset);
            AppendU32(index, static_cast<std::uint32_t>(sound.size()));
            offset += static_cast<std::uint32_t>(movi.back().size());
        }
    }
    parts.push_back(List("movi", movi));
    if (spec.withIndex) parts.push_back(Chunk("idx1", index));
    return Riff("AVI ", parts);
}

namespace {
std::filesystem::path FreshTempFolder() {
    static std::atomic<int> counter{0};
    const auto base = std::filesystem::temp_directory_path() / ("brelvo-test-" + std::to_string(
#ifdef _WIN32
                                                                                     ::_getpid()
#else
                                                                                     ::getpid()
#endif
                                                                                         ));
    auto folder = base / std::to_string(counter++);
    std::filesystem::create_directories(folder);
    static const struct Cleaner {
        std::filesystem::path path;
        ~Cleaner() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    } cleaner{base};
    return folder;
}
}  // namespace

std::string WriteTempFile(const Bytes& bytes, std::string_view name) {
    const auto path = FreshTempFolder() / std::string(name);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
    return path.string();
}

Bytes ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ToBytes(data);
}

std::string FixturePath(std::string_view name) {
    return (std::filesystem::path(BRELVO_FIXTURE_DIR) / std::string(name)).string();
}

std::string CopyFixture(std::string_view name) {
    return WriteTempFile(ReadWholeFile(FixturePath(name)), name);
}

}  // namespace brelvo::testing
