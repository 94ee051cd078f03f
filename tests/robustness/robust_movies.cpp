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
