// SPDX-License-Identifier: GPL-2.0-or-later
// Movies and loads for the robustness tests.
#include "tests/robustness/robust_movies.h"

#include "audio/audio_chunk_walk.h"
#include "avi/chunk_ids.h"
#include "avi/decode_headers.h"
#include "avi/normalise_on_load.h"
#include "avi/scan_chunks.h"
#include "platform/file_system.h"
#include "platform/random_access_file.h"

namespace brelvo::testing {
namespace {

LoadedFile Walk(const std::string& path, platform::OpenMode mode) {
    const auto file = platform::OpenFile(path, mode);
    auto scan = avi::ScanChunks(*file);
    return {std::move(scan.chunkMap), {}, std::move(scan.headerBackup)};
}

}  // namespace

LoadedFile LoadAsTheWindowDoes(const std::string& path) {
    platform::MakeWritable(path);
    LoadedFile loaded = Walk(path, platform::OpenMode::ReadWrite);
    const auto file = platform::OpenFile(path, platform::OpenMode::ReadWrite);
    loaded.record =
        avi::NormaliseOnLoad(*file, loaded.chunkMap, avi::DecodeHeaders(*file, loaded.chunkMap));
    return loaded;
}

LoadedFile DecodeOnly(const std::string& path) {
    LoadedFile loaded = Walk(path, platform::OpenMode::Read);
    const auto file = platform::OpenFile(path, platform::OpenMode::Read);
    loaded.record = avi::DecodeHeaders(*file, loaded.chunkMap);
    return loaded;
}

audio::AudioTrack TrackOf(const std::string& path) {
    const auto file = platform::OpenFile(path, platform::OpenMode::Read);
    return audio::FindAudioTrack(*file);
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
    audio::AudioChunkWalk walk(*file, audio::FindAudioTrack(*file).streamNumber);
    std::vector<Region> regions;
    while (const auto chunk = walk.Next())
        regions.push_back({chunk->payloadOffset, chunk->available});
    return regions;
}

}  // namespace brelvo::testing
