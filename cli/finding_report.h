// SPDX-License-Identifier: GPL-2.0-or-later
// How brelvo-cli shows the findings of a diagnosis: lines for people, and the JSON object of
// each finding.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

#include "repair/diagnose.h"
#include "repair/finding.h"

namespace brelvo::cli {

// "PATH: N faults (M mendable by repair), K notes" or "PATH: no faults found".
void PrintSummary(const std::string& path, const repair::Diagnosis& diagnosis, std::ostream& out);
// The finding's lines: its code, place, fields, detail and what it means for a player.
void PrintFinding(const repair::Finding& finding, std::ostream& out);

// {"code", "severity", "offset", "mendable", "fields": [{"name", "offset", "width", "holds",
// "should"}], "detail", "impact"}.
nlohmann::ordered_json FindingJson(const repair::Finding& finding);

}  // namespace brelvo::cli
