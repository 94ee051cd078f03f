// SPDX-License-Identifier: GPL-2.0-or-later
// The state of the open movie, held by the main window from start to end: its path, the
// altered flag, the saved header region, the chunk map, the decoded headers and the display
// range.
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "avi/chunk_map.h"
#include "avi/header_record.h"
#include "preview/player_protocol.h"

namespace brelvo::app {

struct MovieDocument {
    QString aviPath;       // the whole command line, unchanged
    QString openPath;      // the copy the chunk walk and the decoding open and report
    bool altered = false;  // a header-changing Apply ran; the exit prompt then asks
    // The first 8192 bytes as the walk found them (fewer for a shorter file).
    std::vector<std::byte> headerBackup;
    int savedPlayerValue = 0;  // the player's value kept across a release
    avi::ChunkMap chunkMap;
    avi::HeaderRecord record;    // the decoded headers and the editors' offsets
    std::int32_t rangeFrom = 0;  // display range in frames
    std::int32_t rangeTo = 0;
    std::int64_t keyFrameCount = 0;  // 0 until the key frames were counted

    // The values the player protocol reads and writes.
    preview::PlayerState PlayerState() const {
        return {aviPath, savedPlayerValue, rangeFrom, rangeTo};
    }
};

// A path as the file layer takes it (the system's encoding of file names).
std::string NativePath(const QString& path);

}  // namespace brelvo::app
