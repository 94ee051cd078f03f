// SPDX-License-Identifier: GPL-2.0-or-later
// Showing findings.
#include "cli/finding_report.h"

#include <algorithm>

#include "cli/terminal_text.h"
#include "platform/ansi_codec.h"

namespace brelvo::cli {
namespace {

using Json = nlohmann::ordered_json;

std::string Holds(const repair::FieldValue& v) {
    return v.code.empty() ? std::to_string(v.holds)
                          : "'" + TerminalSafe(platform::AnsiToUtf8(v.code)) + "'";
}

std::string Plural(std::size_t n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace

void PrintSummary(const std::string& path, const repair::Diagnosis& diagnosis, std::ostream& out) {
    const auto faults = diagnosis.Faults();
    const auto mendable = static_cast<std::size_t>(
        std::count_if(diagnosis.findings.begin(), diagnosis.findings.end(),
                      [](const repair::Finding& f) { return f.mendable; }));
    const auto notes = diagnosis.findings.size() - faults;
    out << TerminalSafe(path) << ": ";
    if (faults == 0) {
        out << "no faults found";
    } else {
        out << Plural(faults, "fault", "faults") << " (" << mendable << " mendable by repair)";
    }
    if (notes > 0) out << ", " << Plural(notes, "note", "notes");
    out << '\n';
}

void PrintFinding(const repair::Finding& finding, std::ostream& out) {
    const bool note = repair::FindingSeverity(finding.code) == repair::Severity::Note;
    out << "  " << repair::FindingName(finding.code) << " at " << finding.at << " ("
        << (note               ? "note"
            : finding.mendable ? "mendable"
                               : "cannot be mended by overwriting")
        << ")\n";
    for (const auto& v : finding.fields) {
        out << "    " << v.field.name << " at " << v.field.offset << " holds " << Holds(v);
        if (v.should) out << ", should hold " << *v.should;
        out << '\n';
    }
    out << "    " << TerminalSafe(platform::AnsiToUtf8(finding.detail)) << '\n'
        << "    for a player: " << repair::PlayerImpact(finding.code) << '\n';
}

Json FindingJson(const repair::Finding& finding) {
    Json fields = Json::array();
    for (const auto& v : finding.fields) {
        Json field{{"name", v.field.name}, {"offset", v.field.offset}, {"width", v.field.width}};
        field["holds"] = v.code.empty() ? Json(v.holds) : Json(platform::AnsiToUtf8(v.code));
        field["should"] = v.should ? Json(*v.should) : Json(nullptr);
        fields.push_back(std::move(field));
    }
    const bool note = repair::FindingSeverity(finding.code) == repair::Severity::Note;
    return Json{{"code", repair::FindingName(finding.code)},
                {"severity", note ? "note" : "fault"},
                {"offset", finding.at},
                {"mendable", finding.mendable},
                {"fields", std::move(fields)},
                {"detail", platform::AnsiToUtf8(finding.detail)},
                {"impact", repair::PlayerImpact(finding.code)}};
}

}  // namespace brelvo::cli
