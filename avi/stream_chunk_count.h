// SPDX-License-Identifier: GPL-2.0-or-later
// The data chunks of one stream counted in the movi lists, chunk by chunk by their sizes: the
// frame count of a movie whose headers count nothing (written to a pipe, no index).
#pragma once

#include <cstdint>

#include "avi/chunk_map.h"
#include "platform/random_access_file.h"

namespace brelvo::avi {

// Counts the chunks "NNdc", "NNdb", "NN__" ... of stream NN in every movi list the map holds
// ("rec " lists included, palette changes "NNpc" not). Only chunk headers are read. The count
// ends at the first place that holds no chunk header.
std::int64_t CountStreamChunks(platform::RandomAccessFile& file, const ChunkMap& chunkMap,
                               int streamIndex);

}  // namespace brelvo::avi
