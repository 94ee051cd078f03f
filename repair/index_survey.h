// SPDX-License-Identifier: GPL-2.0-or-later
// The idx1 index read entry by entry against the movi list it indexes: how many entries each
// stream has, which entries point outside the list or at a chunk of another id or size, and the
// flags of each stream's first entry. Reads the index and the chunk headers it names, keeping
// only counts, so a long index costs no memory.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "avi/field_ref.h"
#include "platform/random_access_file.h"
#include "repair/finding.h"
#include "repair/movie_structure.h"

namespace brelvo::repair {

struct EntryFaults {
    std::int64_t count = 0;
    std::int64_t firstOffset = 0;  // 0-based offset of the first such entry
    std::string first;             // what the first such entry says, and what is there
};

struct IndexSurvey {
    std::map<int, std::int64_t> entries;   // by stream number
    std::map<int, FieldValue> firstFlags;  // dwFlags of each stream's first entry
    EntryFaults outsideMovi, wrongChunk;
};

// Entry offsets count from the "movi" list type, or from the start of the file when the first
// entry only makes sense so. The first entries' flags fields are recorded in `fields`.
// Throws platform::IoError.
IndexSurvey SurveyIndex(platform::RandomAccessFile& file, const IndexChunk& idx1,
                        const MoviList& movi, std::vector<avi::FieldRef>& fields);

}  // namespace brelvo::repair
