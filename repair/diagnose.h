// SPDX-License-Identifier: GPL-2.0-or-later
// The diagnosis of a movie: every disagreement between its headers and what its structure,
// chunks and index hold. Reads the header region, the indexes and the chunk headers only,
// never stream data; keeps counts, not lists, so its memory stays bounded on any movie.
#pragma once

#include <vector>

#include "avi/header_record.h"
#include "platform/random_access_file.h"
#include "repair/finding.h"

namespace brelvo::repair {

struct Diagnosis {
    // The decoded headers (empty when they cannot be decoded), with every field a finding
    // names among its recorded fields and the file's length when it was read.
    avi::HeaderRecord record;
    std::vector<Finding> findings;  // in file order

    std::size_t Faults() const;  // findings that are not notes
};

// Throws platform::IoError when a read fails.
Diagnosis Diagnose(platform::RandomAccessFile& file);

}  // namespace brelvo::repair
