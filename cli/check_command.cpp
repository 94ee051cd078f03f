// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli check [--json] [--quiet] FILE...`: prints every fault the diagnosis finds in each
// movie. Reads only.
#include "cli/command_args.h"
#include "cli/finding_report.h"
#include "cli/movie_loader.h"
#include "cli/repair_commands.h"
#include "platform/io_error.h"

namespace brelvo::cli {
namespace {

constexpr std::string_view kSynopsis = "check [--json] [--quiet] FILE...";

int RunCheck(const Args& parsed, CommandIo io) {
    RequireFiles(parsed.operands);
    FileReports reports(io, parsed.output);
    bool faults = false;
    for (const auto& path : parsed.operands) {
        try {
            const auto file = OpenMovie(path, platform::OpenMode::Read);
            const auto diagnosis = repair::Diagnose(*file);
            faults = faults || diagnosis.Faults() > 0;
            auto findings = nlohmann::ordered_json::array();
            for (const auto& f : diagnosis.findings) findings.push_back(FindingJson(f));
            reports.Add({{"path", path},
                         {"fileSize", diagnosis.record.loadedLength},
                         {"faults", diagnosis.Faults()},
                         {"findings", std::move(findings)}});
            PrintSummary(path, diagnosis, reports.Lines());
            for (const auto& f : diagnosis.findings) PrintFinding(f, reports.Lines());
        } catch (const MovieLoadError& e) {
            reports.Fail(e.Path(), e.Reason());
        } catch (const platform::IoError& e) {
            reports.Fail(path, "cannot " + std::string(platform::FileOpVerb(e.Op())) +
                                   " the file: " + e.Reason());
        }
    }
    const int status = reports.Finish();
    return faults ? kExitFailure : status;
}

}  // namespace

Command CheckCommand() {
    return Declare({
        .name = "check",
        .synopsis = kSynopsis,
        .summary = "Find the header faults of each movie; write nothing.",
        .description =
            "Finds where each movie's headers disagree with what the movie holds: sizes that\n"
            "run past the end of a file cut short, frame and sample counts, the frame time,\n"
            "buffer sizes, audio formats, the index. Each finding has a stable code, the\n"
            "fields with their 0-based offsets, what they hold and what the movie's structure\n"
            "says instead, and whether 'brelvo-cli repair' can mend it. Reads the headers,\n"
            "the index and the chunk headers only; the files are never written.",
        .jsonObject = "each object: \"path\", \"fileSize\", \"faults\" and the\n"
                      "\"findings\"",
        .notes = "Exit status: 0 when no file has a fault (notes aside), 1 when one has or cannot\n"
                 "be read, 2 for a wrong command line.",
        .examples = "check capture.avi",
        .run = RunCheck,
    });
}

}  // namespace brelvo::cli
