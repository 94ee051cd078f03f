// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli repair [--dry-run] [--only CODE,...] [--json] [--quiet] FILE...`: mends what the
// diagnosis finds and overwriting fields mends, and reports what it leaves alone.
#include <set>

#include "avi/field_patch.h"
#include "avi/write_plan.h"
#include "cli/command_args.h"
#include "cli/edit_files.h"
#include "cli/finding_report.h"
#include "cli/movie_loader.h"
#include "cli/number_args.h"
#include "cli/repair_commands.h"
#include "platform/io_error.h"
#include "repair/mend.h"

namespace brelvo::cli {
namespace {

constexpr std::string_view kName = "repair";
constexpr std::string_view kSynopsis =
    "repair [--dry-run] [--only CODE,...] [--json] [--quiet] FILE...";

std::set<repair::Code> ParseCodes(std::string_view list) {
    std::set<repair::Code> codes;
    while (!list.empty()) {
        const auto comma = list.find(',');
        const auto name = list.substr(0, comma);
        const auto code = repair::CodeNamed(name);
        if (!code) throw UsageError("unknown finding code '" + std::string(name) + "'");
        codes.insert(*code);
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
    }
    if (codes.empty()) throw UsageError("--only needs at least one code");
    return codes;
}

// The findings a repair leaves: after it wrote, all that the last reading still finds;
// otherwise those it was not asked to mend or cannot.
std::vector<repair::Finding> LeftAlone(const repair::RepairOutcome& outcome,
                                       const std::set<repair::Code>& only) {
    std::vector<repair::Finding> left;
    for (const auto& f : outcome.last.findings) {
        if (outcome.written || !f.mendable || (!only.empty() && !only.contains(f.code))) {
            left.push_back(f);
        }
    }
    return left;
}

struct Options {
    std::set<repair::Code> only;
    avi::WriteMode mode = avi::WriteMode::Write;
};

// Repairs one movie; returns whether a fault is left.
bool RepairFile(const std::string& path, const Options& options, FileReports& reports) {
    const bool dryRun = options.mode == avi::WriteMode::DryRun;
    const auto file =
        OpenMovie(path, dryRun ? platform::OpenMode::Read : platform::OpenMode::ReadWrite);
    const auto report = repair::Repair(*file, options.only, options.mode);
    const auto left = LeftAlone(report, options.only);
    const bool faultLeft = std::any_of(left.begin(), left.end(), [](const repair::Finding& f) {
        return repair::FindingSeverity(f.code) == repair::Severity::Fault;
    });
    auto changes = nlohmann::ordered_json::array();
    for (const auto& c : report.changes) {
        changes.push_back({{"field", c.field.name},
                           {"offset", c.field.offset},
                           {"width", c.field.width},
                           {"old", c.before},
                           {"new", c.after},
                           {"code", repair::FindingName(c.code)}});
    }
    auto leftJson = nlohmann::ordered_json::array();
    for (const auto& f : left) leftJson.push_back(FindingJson(f));
    reports.Add({{"path", path},
                 {"dryRun", dryRun},
                 {"changes", std::move(changes)},
                 {"leftAlone", std::move(leftJson)}});
    auto& out = reports.Lines();
    for (const auto& c : report.changes) {
        out << path << ": " << c.field.name << ' ' << c.before << " -> " << c.after << " ("
            << repair::FindingName(c.code) << ')' << DryRunNote(options.mode) << '\n';
    }
    if (report.changes.empty()) out << path << ": nothing to mend\n";
    if (!left.empty()) out << path << ": left alone:\n";
    for (const auto& f : left) PrintFinding(f, out);
    return faultLeft;
}

int RunRepair(const Args& parsed, CommandIo io) {
    Options options;
    if (const auto only = parsed.values.find("--only"); only != parsed.values.end()) {
        options.only = ParseCodes(only->second);
    }
    RequireFiles(parsed.operands);
    options.mode = ModeOf(parsed.DryRun());
    FileReports reports(io, parsed.output);
    bool faultLeft = false;
    for (const auto& path : parsed.operands) {
        try {
            faultLeft = RepairFile(path, options, reports) || faultLeft;
        } catch (...) {
            ReportEditFailure(reports, path, std::current_exception(), "repair");
        }
    }
    const int status = reports.Finish();
    return faultLeft ? kExitFailure : status;
}

}  // namespace

Command RepairCommand() {
    return Declare({
        .name = kName,
        .synopsis = kSynopsis,
        .summary = "Mend in place the faults of each movie that overwriting fields mends.",
        .description =
            "Mends in place what 'brelvo-cli check' finds and overwriting fields mends: the\n"
            "sizes of a movie cut short brought to what the file holds, frame and sample\n"
            "counts set to what the chunks say, the frame time from the video rate, buffer\n"
            "sizes raised to the largest chunk, PCM audio formats, the first frame's key-frame\n"
            "flag. Nothing is moved, inserted or resized; every field is checked before the\n"
            "first is written and read back after. What overwriting cannot mend (a missing\n"
            "index, a chunk cut short) is listed and left alone.",
        .options = {kDryRunOption,
                    {"--only", "CODE,...",
                     "mend only findings of these codes (as 'check' prints them)"}},
        .jsonObject = "each object: \"path\", \"dryRun\", the \"changes\" (every\n"
                      "field with its 0-based \"offset\", \"width\", \"old\" and\n"
                      "\"new\" value, and the finding \"code\") and \"leftAlone\"",
        .notes =
            "Exit status: 0 when no fault is left, 1 when one is left or a file failed, 2 for\n"
            "a wrong command line.",
        .examples = "repair --dry-run capture.avi\n"
                    "repair --only total-frames-mismatch,video-length-mismatch a.avi b.avi",
        .run = RunRepair,
    });
}

}  // namespace brelvo::cli
