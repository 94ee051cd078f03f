// SPDX-License-Identifier: GPL-2.0-or-later
// The JSON form of `brelvo-cli info --json`: the headers as stored, with the 0-based offsets
// of the fields that the edit commands patch.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "avi/header_record.h"
#include "cli/movie_loader.h"

namespace brelvo::cli {

// {"path", "fileSize", "mainHeader", "streams", "info", "displayName", "chunks"}. A chunk row
// gives the chunk map's 1-based "position" (of the byte after the id) and "idOffset", the
// 0-based offset of the id (of the list type for "MOVI").
nlohmann::ordered_json InfoJson(const LoadedMovie& movie);

// The display name of the last DISP chunk: its text after the 4-byte clipboard format, decoded
// from Windows-1252 without trailing NULs; none when the movie has no DISP chunk.
std::optional<std::string> DisplayNameText(const avi::HeaderRecord& record);

}  // namespace brelvo::cli
