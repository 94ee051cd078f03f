// SPDX-License-Identifier: GPL-2.0-or-later
// The checks of the diagnosis, each comparing what the headers say with what the structure
// walk and the index survey found, and adding a finding for each disagreement.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "avi/header_record.h"
#include "avi/opendml_index.h"
#include "repair/finding.h"
#include "repair/index_survey.h"
#include "repair/movie_structure.h"

namespace brelvo::repair {

struct CheckInput {
    const avi::HeaderRecord& record;
    const MovieStructure& structure;
    const IndexSurvey* index = nullptr;  // none without idx1
    // The OpenDML index of each stream that has one, by stream number.
    const std::map<int, avi::OdmlIndexCount>& odml;
};

// Frame and sample counts, the stream count.
void CheckCounts(const CheckInput& in, std::vector<Finding>& out);
// The frame time, buffer sizes, audio formats, codec tags.
void CheckFormats(const CheckInput& in, std::vector<Finding>& out);
// The index's entries and its presence.
void CheckIndex(const CheckInput& in, std::vector<Finding>& out);

// The field decoding recorded under this name (the last, as the last header wins), holding
// `holds`; none when it was not recorded.
std::optional<FieldValue> Recorded(const avi::HeaderRecord& record, std::string_view name,
                                   std::int64_t holds);

// A finding on one field whose value should be `should` (mendable when asked and the value
// fits the field).
Finding Mismatch(Code code, const FieldValue& value, std::int64_t should, std::string detail,
                 bool mendable = true);

// A 32-bit or 16-bit field as stored: unsigned.
inline std::uint32_t Stored(std::int32_t value) {
    return static_cast<std::uint32_t>(value);
}
inline std::uint16_t Stored(std::int16_t value) {
    return static_cast<std::uint16_t>(value);
}

// "strh[1].", "strf[1]." prefixes of a stream's fields.
std::string StreamField(std::string_view chunk, int stream, std::string_view field);

}  // namespace brelvo::repair
