// SPDX-License-Identifier: GPL-2.0-or-later
// Writing the synthetic benchmark movies.
#include "bench/bench_movies.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "platform/random_access_file.h"

namespace brelvo::bench {
namespace {

using Bytes = std::vector<std::byte>;

void U16(Bytes& b, std::uint32_t v) {
    for (int k = 0; k < 2; ++k) b.push_back(static_cast<std::byte>((v >> (8 * k)) & 0xFF));
}
void U32(Bytes& b, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) b.push_back(static_cast<std::byte>((v >> (8 * k)) & 0xFF));
}
void Text(Bytes& b, std::string_view t) {
    for (const char c : t) b.push_back(static_cast<std::byte>(c));
}
void Chunk(Bytes& b, std::string_view id, const Bytes& data) {
    Text(b, id);
    U32(b, static_cast<std::uint32_t>(data.size()));
    b.insert(b.end(), data.begin(), data.end());
    if (data.size() % 2 == 1) b.push_back(std::byte{0});
}
void List(Bytes& b, std::string_view type, const Bytes& body) {
    Bytes data;
    Text(data, type);
    data.insert(data.end(), body.begin(), body.end());
    Chunk(b, "LIST", data);
}

Bytes StreamList(std::string_view type, std::string_view handler, std::uint32_t scale,
                 std::uint32_t rate, const Bytes& format) {
    Bytes strh;
    Text(strh, type);
    Text(strh, handler);
    for (const std::uint32_t v : {0u, 0u, 0u, scale, rate, 0u, 25000u, 0u, 10000u, 0u}) {
        U32(strh, v);
    }
    for (int k = 0; k < 4; ++k) U16(strh, 0);
    Bytes body;
    Chunk(body, "strh", strh);
    Chunk(body, "strf", format);
    Bytes list;
    List(list, "strl", body);
    return list;
}

Bytes HeaderRegion(const BenchMovie& movie) {
    Bytes avih;
    for (const std::uint32_t v : {40000u, 0u, 0u, 0x10u, 25000u, 0u, 2u, 0u, 640u, 480u}) {
        U32(avih, v);
    }
    for (int k = 0; k < 4; ++k) U32(avih, 0);
    Bytes bitmap;
    for (const std::uint32_t v : {40u, 640u, 480u}) U32(bitmap, v);
    U16(bitmap, 1);
    U16(bitmap, 24);
    Text(bitmap, "DIV3");
    for (int k = 0; k < 5; ++k) U32(bitmap, 0);
    bitmap.resize(bitmap.size() + movie.strfExtra, std::byte{0x5A});
    Bytes wave;
    U16(wave, 1);
    U16(wave, 2);
    U32(wave, 44100);
    U32(wave, 176400);
    U16(wave, 4);
    U16(wave, 16);

    Bytes hdrl;
    Chunk(hdrl, "avih", avih);
    const Bytes video = StreamList("vids", "DIV3", 1, 25, bitmap);
    const Bytes audio = StreamList("auds", std::string(4, '\0'), 4, 176400, wave);
    hdrl.insert(hdrl.end(), video.begin(), video.end());
    hdrl.insert(hdrl.end(), audio.begin(), audio.end());
    Bytes info;
    for (int i = 0; i < movie.infoItems; ++i) {
        Bytes text;
        Text(text, "A title of forty bytes, item " + std::to_string(100000 + i) + ".");
        text.resize(40, std::byte{0});
        Chunk(info, "INAM", text);
    }
    Bytes region;
    List(region, "hdrl", hdrl);
    if (movie.infoItems > 0) List(region, "INFO", info);
    return region;
}

Bytes IndexChunk(std::uint32_t entries) {
    Bytes index;
    index.reserve(8 + 16 * static_cast<std::size_t>(entries));
    Text(index, "idx1");
    U32(index, 16 * entries);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const bool videoEntry = i % 2 == 0;
        Text(index, videoEntry ? "00dc" : "01wb");
        U32(index, (!videoEntry || (i / 2) % 12 == 0) ? 0x10 : 0);
        U32(index, 4 + 1000 * i);
        U32(index, 992);
    }
    return index;
}

}  // namespace

std::int64_t WriteBenchMovie(const std::string& path, const BenchMovie& movie) {
    const Bytes region = HeaderRegion(movie);
    const Bytes index = IndexChunk(movie.indexEntries);
    const auto regionLength = static_cast<std::int64_t>(region.size()) + 12;
    const std::int64_t moviLength =
        movie.totalLength - regionLength - static_cast<std::int64_t>(index.size());
    if (moviLength < 12 || movie.totalLength > 0x7FFFFFFF) {
        throw std::invalid_argument("bench movie length out of range");
    }
    Bytes head;
    Text(head, "RIFF");
    U32(head, static_cast<std::uint32_t>(movie.totalLength - 8));
    Text(head, "AVI ");
    head.insert(head.end(), region.begin(), region.end());
    Text(head, "LIST");
    U32(head, static_cast<std::uint32_t>(moviLength - 8));
    Text(head, "movi");

    std::filesystem::remove(path);
    {
        auto file = platform::OpenFile(path, platform::OpenMode::CreateTruncate);
        file->WriteAt(0, head);
    }
    // The movi data stays a hole: the walk skips it with one step, as it skips real frames.
    std::filesystem::resize_file(path, static_cast<std::uintmax_t>(movie.totalLength));
    auto file = platform::OpenFile(path, platform::OpenMode::ReadWrite);
    file->WriteAt(movie.totalLength - static_cast<std::int64_t>(index.size()), index);
    return regionLength;
}

std::string BenchFolder() {
    if (const char* folder = std::getenv("BRELVO_BENCH_DIR"); folder != nullptr && *folder) {
        return folder;
    }
    return std::filesystem::temp_directory_path().string();
}

}  // namespace brelvo::bench
