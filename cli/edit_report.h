// SPDX-License-Identifier: GPL-2.0-or-later
// What an edit command reports per file under --json: every field it wrote (or, in a dry run,
// would write) with its 0-based offset, width, old and new value, and the command's own
// figures. Built from the plan's report, apart from the edits themselves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "avi/write_plan.h"

namespace brelvo::cli {

struct FieldChangeReport {
    std::string field;  // "strh[0].fccHandler", "avih.dwMicroSecPerFrame", "IART"
    std::int64_t offset = 0;
    int width = 0;
    nlohmann::ordered_json oldValue;  // a number, or text decoded from Windows-1252
    nlohmann::ordered_json newValue;
};

struct EditReport {
    std::vector<FieldChangeReport> changes;                             // in the order written
    nlohmann::ordered_json figures = nlohmann::ordered_json::object();  // the command's own
};

// {"path", "dryRun", "changes": [{"field", "offset", "width", "old", "new"}...], figures...}.
nlohmann::ordered_json EditJson(const std::string& path, bool dryRun, const EditReport& report);

// A field that holds a little-endian signed number.
FieldChangeReport NumberChange(const avi::FieldChange& change);
// A field that holds text: all four bytes of a tag, or an INFO item's text after `kept` bytes
// of a display-name type field, trailing NULs left out; offset and width are the text's.
FieldChangeReport TextChange(const avi::FieldChange& change, std::size_t kept = 0);
std::vector<FieldChangeReport> NumberChanges(const avi::PlanReport& report);

}  // namespace brelvo::cli
