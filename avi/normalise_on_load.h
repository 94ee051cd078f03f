// SPDX-License-Identifier: GPL-2.0-or-later
// The two writes of every load: each video stream header's time base becomes dwScale 10000
// (dwRate rescaled by that stream's own factor, rounded down), and the payload of every JUNK
// chunk that stands at a chunk boundary is blanked with spaces.
#pragma once

#include "avi/chunk_map.h"
#include "avi/header_record.h"
#include "platform/random_access_file.h"

namespace brelvo::avi {

// Writes into the file, as one plan, and returns the record as it now describes the file
// (videoScale 10000, videoRate, rateFactor and framesPerSec of the last video stream). Throws
// DecodeError (a rescaled rate that does not fit 32 bits) before anything is written,
// PatchRefused, platform::IoError or PlanFailed.
HeaderRecord NormaliseOnLoad(platform::RandomAccessFile& file, const ChunkMap& chunkMap,
                             HeaderRecord record);

// The data of the JUNK rows that a structured walk of the RIFF lists meets at a chunk boundary
// and whose data lies wholly inside the file (size > 0), as the walk read them, in map order.
// Only these are blanked.
std::vector<FieldRef> BlankableJunkData(platform::RandomAccessFile& file, const ChunkMap& chunkMap);

}  // namespace brelvo::avi
