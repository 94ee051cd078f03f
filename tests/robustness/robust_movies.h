// SPDX-License-Identifier: GPL-2.0-or-later
// Movies and loads for the robustness tests: a movie that gives every writer something to
// write, the load the main window makes, and the regions each writer may change.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "avi/chunk_map.h"
#include "avi/field_ref.h"
#include "avi/header_record.h"
#include "tests/robustness/fault_sweep.h"
#include "tests/support/riff_builder.h"

namespace brelvo::testing {

// Video at dwScale 1 / dwRate 25 (loading rescales it), PCM sound as stream 1 with a start of
// 1002, a JUNK chunk, INFO items INAM and IART, a display name, four frames with their sound
// and an index.
Bytes EditableMovie();

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

// A file of that name in the folder of `path`.
inline std::string Beside(const std::string& path, const char* name) {
    return std::filesystem::path(path).replace_filename(name).string();
}

Region RegionOf(const avi::FieldRef& field);
// What loading may write: the video streams' dwScale and dwRate, the JUNK payloads.
std::vector<Region> NormaliseRegions(const LoadedFile& decoded);
// The payloads of the sound stream's chunks, as the audio walk finds them.
std::vector<Region> AudioPayloadRegions(const std::string& moviePath);

}  // namespace brelvo::testing
