// SPDX-License-Identifier: GPL-2.0-or-later
// Loads for the robustness tests: the load the main window makes, and the regions each
// writer may change.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/audio_track.h"
#include "avi/chunk_map.h"
#include "avi/field_ref.h"
#include "avi/header_record.h"
#include "tests/robustness/fault_sweep.h"
#include "tests/support/test_movies.h"

namespace brelvo::testing {

struct LoadedFile {
    avi::ChunkMap chunkMap;
    avi::HeaderRecord record;
    std::vector<std::byte> headerBackup;
};

// The window's load: the movie made writable, walked, decoded and normalised, each step on
// the file opened by its path (so an installed fault plan sees every operation).
LoadedFile LoadAsTheWindowDoes(const std::string& path);
// Walk and decode only: nothing is written.
LoadedFile DecodeOnly(const std::string& path);
audio::AudioTrack TrackOf(const std::string& path);

// A file of that name in the folder of `path`.
inline std::string Beside(const std::string& path, const char* name) {
    return std::filesystem::path(path).replace_filename(name).string();
}

inline Region RegionOf(const avi::FieldRef& field) {
    return Region{field.offset, field.width};
}
// What loading may write: the video streams' dwScale and dwRate, the JUNK payloads.
std::vector<Region> NormaliseRegions(const LoadedFile& decoded);
// The payloads of the sound stream's chunks, as the audio walk finds them.
std::vector<Region> AudioPayloadRegions(const std::string& moviePath);

}  // namespace brelvo::testing
