// SPDX-License-Identifier: GPL-2.0-or-later
// The test RIFF writer and temporary files.
#include "tests/support/riff_builder.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <stdexcept>

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

Bytes Pattern(std::size_t length, int seed) {
    Bytes b(length);
    for (std::size_t k = 0; k < length; ++k)
        b[k] = static_cast<std::byte>((k * 7 + static_cast<std::size_t>(seed) * 31) & 0xFF);
    return b;
}

std::int64_t OffsetOf(const Bytes& bytes, std::string_view text, std::int64_t from) {
    const std::string_view all(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const auto at = all.find(text, static_cast<std::size_t>(from));
    return at == std::string_view::npos ? -1 : static_cast<std::int64_t>(at);
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

namespace {
void AppendU32s(Bytes& out, std::initializer_list<std::uint32_t> values) {
    for (const auto v : values) AppendU32(out, v);
}
// Four characters, cut or filled with `fill`.
std::string FourCC(std::string_view text, char fill) {
    return (std::string(text) + std::string(4, fill)).substr(0, 4);
}
}  // namespace

Bytes AvihData(const AvihFields& f) {
    Bytes b;  // dwFlags 0x10: has index
    AppendU32s(b, {f.microSecPerFrame, f.maxBytesPerSec, 0, 0x10, f.totalFrames, 0, f.streams, 0,
                   f.width, f.height, 0, 0, 0, 0});
    return b;
}

Bytes StrhData(const StrhFields& f) {
    Bytes b = ToBytes(FourCC(f.fccType, ' ') + FourCC(f.fccHandler, '\0'));
    // dwFlags, wPriority + wLanguage, dwInitialFrames, ..., dwSuggestedBufferSize, ...,
    // rcFrame
    AppendU32s(b, {0, 0, 0, f.scale, f.rate, f.start, f.length, 0, f.quality, f.sampleSize, 0, 0});
    return b;
}

Bytes BitmapInfoData(std::string_view compression, std::uint16_t bitCount, std::int32_t width,
                     std::int32_t height) {
    Bytes b;
    AppendU32s(b, {40, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height),
                   1u | (std::uint32_t{bitCount} << 16)});  // biPlanes 1, biBitCount
    AppendText(b, FourCC(compression, '\0'));
    AppendU32s(b, {0, 0, 0, 0, 0});
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

Bytes WavFile(const Bytes& format, const Bytes& samples, const Bytes& before) {
    return Riff("WAVE", {before, Chunk("fmt ", format), Chunk("data", samples, false)});
}

namespace {
// A folder of its own for every file, all in one folder per test program that goes at exit.
std::filesystem::path FreshTempFolder() {
    static const struct Base {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("brelvo-test-" + std::to_string(std::random_device{}()));
        ~Base() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    } base;
    static std::atomic<int> counter{0};
    auto folder = base.path / std::to_string(counter++);
    std::filesystem::create_directories(folder);
    return folder;
}
}  // namespace

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string WriteTempFile(const Bytes& bytes, std::string_view name) {
    const auto path = (FreshTempFolder() / std::string(name)).string();
    WriteFile(path, bytes);
    return path;
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
