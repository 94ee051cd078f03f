// SPDX-License-Identifier: GPL-2.0-or-later
// A movie of more than 4 GiB that takes a few kilobytes of disk, as a sparse file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/riff_builder.h"

namespace brelvo::testing {

inline constexpr std::int64_t k2GiB = std::int64_t{1} << 31;
inline constexpr std::int64_t k4GiB = std::int64_t{1} << 32;

// Where the big movie's interesting bytes lie.
struct SparseMovie {
    std::string path;
    std::int64_t length = 0;
    std::vector<std::int64_t> audioPayloads;  // the sound chunks' data (64 bytes), in file order
    std::int64_t lateJunkData = 0;            // a JUNK chunk's data past 4 GiB
    std::int64_t lateItemData = 0;            // an IART item's data past 4 GiB
    std::int64_t idx1Data = 0;                // past 2 GiB
};

// A first RIFF "AVI " larger than 2 GiB (as old writers made them): headers, sound at its start
// and past 2 GiB, its idx1 after that; then RIFF "AVIX" parts, one beginning past 4 GiB, with
// sound in each and an INFO list and JUNK chunk in the last.
SparseMovie MakeSparseMovie();

// Nothing when the temporary folder can hold sparse files of 5 GiB; else why not.
std::optional<std::string> SparseFilesUnsupported();

// Bytes of a file at an offset, read outside the file layer.
Bytes ReadAt(const std::string& path, std::int64_t offset, std::size_t count);

}  // namespace brelvo::testing
