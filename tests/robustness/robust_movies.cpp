// SPDX-License-Identifier: GPL-2.0-or-later
// Movies and loads for the robustness tests.
#include "tests/robustness/robust_movies.h"

#include "audio/audio_chunk_walk.h"
#include "audio/audio_track.h"
#include "avi/chunk_ids.h"
#include "avi/decode_headers.h"
#include "avi/normalise_on_load.h"
#include "avi/scan_chunks.h"
#include "platform/file_system.h"
#include "platform/random_access_file.h"

namespace brelvo::testing {

Bytes EditableMovie() {
    AvihFields avih;
    avih.totalFrames = 4;
    StrhFields video;
    video.length = 4;
    StrhFields sound;
    sound.fccType = "auds";
    sound.fccHandler = std::string(4, '\0');
    sound.scale = 4;
    sound.rate = 176400;
    sound.sampleSize = 4;
    sound.start = 1002;
    sound.length = 64;
    const Bytes hdrl = List(
        "hdrl", {Chunk("avih", AvihData(avih)),
                 List("strl", {Chunk("strh", StrhData(video)), Chunk("strf", BitmapInfoData())}),
                 List("strl", {Chunk("strh", StrhData(sound)), Chunk("strf", WaveFormatData())})});
    Bytes display;
    AppendU32(display, 1);
    AppendText(display, std::string("Clip one\0", 9));

    std::vector<Bytes> movi;
    Bytes index;
    std::uint32_t offset = 4;
    for (int i = 0; i < 4; ++i) {
        movi.push_back(Chunk("00dc", Bytes(40, static_cast<std::byte>(0x40 + i))));
        AppendText(index, "00dc");
        AppendU32(index, i % 2 == 0 ? 0x10 : 0);
        AppendU32(index, offset);
        AppendU32(index, 40);
        offset += 48;
        movi.push_back(Chunk("01wb", Bytes(64, static_cast<std::byte>(0x80 + i))));
        AppendText(index, "01wb");
        AppendU32(index, 0x10);
        AppendU32(index, offset);
        AppendU32(index, 64);
        offset += 72;
    }
    return Riff("AVI ", {hdrl, Chunk("JUNK", Bytes(30, std::byte{'x'})),
                         List("INFO", {Chunk("INAM", ToBytes(std::string("Old name\0", 9))),
                                       Chunk("IART", ToBytes(std::string("Someone\0", 8)))}),
                         Chunk("DISP", display), List("movi", movi), Chunk("idx1", index)});
}

LoadedFile LoadAsTheWindowDoes(const std::string& path) {
    platform::MakeWritable(path);
    LoadedFile loaded;
    {
        const auto file = platform::OpenFile(path, platform::OpenMode::ReadWrite);
        auto scan = avi::ScanChunks(*file);
        loaded.chunkMap = std::move(scan.chunkMap);
        loaded.headerBackup = std::move(scan.headerBackup);
    }
    const auto file = platform::OpenFile(path, platform::OpenMode::ReadWrite);
    loaded.record =
        avi::NormaliseOnLoad(*file, loaded.chunkMap, avi::DecodeHeaders(*file, loaded.chunkMap));
    return loaded;
}

LoadedFile DecodeOnly(const std::string& path) {
    const auto file = platform::OpenFile(path, platform::OpenMode::Read);
    LoadedFile loaded;
    auto scan = avi::ScanChunks(*file);
    loaded.chunkMap = std::move(scan.chunkMap);
    loaded.headerBackup = std::move(scan.headerBackup);
    loaded.record = avi::DecodeHeaders(*file, loaded.chunkMap);
    return loaded;
}

Region RegionOf(const avi::FieldRef& field) {
    return Region{field.offset, field.width};
}

std::vector<Region> NormaliseRegions(const LoadedFile& decoded) {
    std::vector<Region> regions;
    for (const auto& s : decoded.record.streams) {
        if (!s.IsVideo()) continue;
        regions.push_back(RegionOf(s.scaleField));
        regions.push_back(RegionOf(s.rateField));
    }
    for (const auto& row : decoded.chunkMap) {
        if (row.id == avi::kIdJunk && row.size > 0) regions.push_back({row.DataOffset(), row.size});
    }
    return regions;
}

std::vector<Region> AudioPayloadRegions(const std::string& moviePath) {
    const auto file = platform::OpenFile(moviePath, platform::OpenMode::Read);
    const auto track = audio::FindAudioTrack(*file);
    audio::AudioChunkWalk walk(*file, track.streamNumber);
    std::vector<Region> regions;
    while (const auto chunk = walk.Next())
        regions.push_back({chunk->payloadOffset, chunk->available});
    return regions;
}

}  // namespace brelvo::testing
