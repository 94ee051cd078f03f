// SPDX-License-Identifier: GPL-2.0-or-later
// Test helpers for the edit tests: a movie decoded from its bytes, the writes an edit plans,
// and the offsets at which an edit changed the bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "avi/decode_headers.h"
#include "avi/scan_chunks.h"
#include "avi/write_plan.h"
#include "platform/little_endian.h"
#include "tests/support/memory_file.h"
#include "tests/support/riff_builder.h"

namespace brelvo::testing {

// The offsets whose byte differs; -1 stands for a change of length.
inline std::vector<std::int64_t> ChangedOffsets(const Bytes& before, const Bytes& after) {
    std::vector<std::int64_t> changed;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i] != after[i]) changed.push_back(static_cast<std::int64_t>(i));
    }
    if (before.size() != after.size()) changed.push_back(-1);
    return changed;
}

// The writes of a plan as (field name, bytes).
using Planned = std::vector<std::pair<std::string, std::string>>;
inline Planned Writes(const avi::WritePlan& plan) {
    Planned writes;
    for (const auto& w : plan.writes) {
        writes.emplace_back(w.field.name, std::string(reinterpret_cast<const char*>(w.bytes.data()),
                                                      w.bytes.size()));
    }
    return writes;
}
inline std::string Int32Bytes(std::int32_t value) {
    Bytes bytes(4);
    platform::WriteI32(bytes, 0, value);
    return {reinterpret_cast<const char*>(bytes.data()), 4};
}

// True when every change lies in one of the fields (offset, width).
inline bool OnlyWithin(const std::vector<std::int64_t>& changed,
                       const std::vector<std::pair<std::int64_t, std::int64_t>>& fields) {
    for (const auto offset : changed) {
        bool inside = false;
        for (const auto& [from, width] : fields) inside |= offset >= from && offset < from + width;
        if (!inside) return false;
    }
    return true;
}

// A movie in memory, decoded as loading decodes it (without the load-time writes).
struct DecodedMovie {
    platform::MemoryFile file;
    avi::ChunkMap chunkMap;
    avi::HeaderRecord record;
    Bytes original;

    explicit DecodedMovie(Bytes bytes) : file(bytes), original(std::move(bytes)) {
        chunkMap = avi::ScanChunks(file).chunkMap;
        record = avi::DecodeHeaders(file, chunkMap);
    }
    std::vector<std::int64_t> Changed() const { return ChangedOffsets(original, file.Bytes()); }
    std::int32_t Int32At(std::int64_t offset) const {
        return platform::ReadI32(file.Bytes(), static_cast<std::size_t>(offset));
    }
    std::string BytesAt(std::int64_t offset, std::size_t count) const {
        const auto* start = reinterpret_cast<const char*>(file.Bytes().data()) + offset;
        return std::string(start, count);
    }
};

// The simple test movie with the video stream at dwScale 10000, dwRate 250000 (25 fps), as
// loading leaves a movie.
inline Bytes NormalisedMovie() {
    Bytes bytes = MakeSimpleMovie({});
    const std::string text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const auto strh = text.find("strh") + 8;  // the first strh is the video stream's
    platform::WriteI32(bytes, strh + 20, 10000);
    platform::WriteI32(bytes, strh + 24, 250000);
    return bytes;
}

}  // namespace brelvo::testing
