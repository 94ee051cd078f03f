// SPDX-License-Identifier: GPL-2.0-or-later
// A test movie decoded as loading decodes it, and what an edit planned and changed in it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "avi/decode_headers.h"
#include "avi/normalise_on_load.h"
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

// A movie in memory, decoded as loading decodes it, with the load-time writes when normalised.
struct DecodedMovie {
    platform::MemoryFile file;
    avi::ChunkMap chunkMap;
    avi::HeaderRecord record;
    Bytes original;

    explicit DecodedMovie(Bytes bytes, bool normalised = false)
        : file(bytes), original(std::move(bytes)) {
        chunkMap = avi::ScanChunks(file).chunkMap;
        record = avi::DecodeHeaders(file, chunkMap);
        if (normalised) record = avi::NormaliseOnLoad(file, chunkMap, record);
    }
    std::vector<std::int64_t> Changed() const { return ChangedOffsets(original, file.Bytes()); }
    std::string BytesAt(std::int64_t offset, std::size_t count) const {
        return {reinterpret_cast<const char*>(file.Bytes().data()) + offset, count};
    }
};

}  // namespace brelvo::testing
