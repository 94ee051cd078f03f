// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli check [--json] [--quiet] FILE...`: prints every fault the diagnosis finds in each movie.
// Reads only.
#include "cli/command_args.h"
#include "cli/finding_report.h"
#include "cli/movie_loader.h"
#include "cli/repair_commands.h"
#include "platform/io_error.h"

namespace brelvo::cli {
namespace {

constexpr std::string_view kSynopsis = "check [--json] [--quiet] FILE...";

void PrintHelp(std::ostream& out) {
    out << "Usage: brelvo-cli " << kSynopsis
        << "\n"
           "Finds where each movie's headers disagree with what the movie holds: sizes that\n"
           "run past the end of a file cut short, frame and sample counts, the frame time,\n"
           "buffer sizes, audio formats, the index. Each finding has a stable code, the\n"
           "fields with their 0-based offsets, what they hold and what the movie's structure\n"
           "says instead, and whether 'brelvo-cli repair' can mend it. Reads the headers,\n"
           "the index and the chunk headers only; the files are never written.\n"
           "Exit status: 0 when no file has a fault (notes aside), 1 when one has or cannot\n"
           "be read, 2 for a wrong command line.\n\n"
           "Options:\n"
        << JsonOptionHelp()
        << "                      each object: \"path\", \"fileSize\", \"faults\" and the\n"
           "                      \"findings\"\n"
        << QuietOptionHelp()
        << "  --help              this text\n\n"
           "Example:\n"
           "  brelvo-cli check capture.avi\n";
}

int RunCheck(const std::vector<std::string>& args, CommandIo io) {
    FileArgs parsed;
    try {
        parsed = ParseFileArgs(args, {});
    } catch (const UsageError& e) {
        return ReportUsage(io, "check", kSynopsis, e.what());
    }
    if (parsed.help) {
        PrintHelp(io.out);
        return kExitOk;
    }
    FileReports reports(io, parsed.output);
    bool faults = false;
    for (const auto& path : parsed.files) {
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
    return {"check", kSynopsis, "Find the header faults of each movie; write nothing.", RunCheck};
}

}  // namespace brelvo::cli
