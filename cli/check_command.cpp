// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli check [--json] FILE...`: prints every fault the diagnosis finds in each movie.
// Reads only.
#include "cli/command_args.h"
#include "cli/finding_report.h"
#include "cli/movie_loader.h"
#include "cli/repair_commands.h"
#include "platform/io_error.h"

namespace brelvo::cli {
namespace {

constexpr std::string_view kSynopsis = "check [--json] FILE...";

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
           "  --json   a JSON array, one object per file: {\"path\", \"fileSize\", \"faults\",\n"
           "           \"findings\"}, or {\"path\", \"error\"} for a file that cannot be read\n"
           "  --help   this text\n\n"
           "Example:\n"
           "  brelvo-cli check capture.avi\n";
}

int RunCheck(const std::vector<std::string>& args, CommandIo io) {
    FileArgs parsed;
    try {
        parsed = ParseFileArgs(args, {"--json"});
    } catch (const UsageError& e) {
        io.err << "brelvo-cli check: " << e.what() << "\nUsage: brelvo-cli " << kSynopsis
               << "\nRun 'brelvo-cli check --help' for more.\n";
        return kExitUsage;
    }
    if (parsed.help) {
        PrintHelp(io.out);
        return kExitOk;
    }
    const bool json = parsed.flags.contains("--json");
    auto documents = nlohmann::ordered_json::array();
    int status = kExitOk;
    for (const auto& path : parsed.files) {
        try {
            const auto file = OpenMovie(path, platform::OpenMode::Read);
            const auto diagnosis = repair::Diagnose(*file);
            if (diagnosis.Faults() > 0) status = kExitFailure;
            if (json) {
                auto findings = nlohmann::ordered_json::array();
                for (const auto& f : diagnosis.findings) findings.push_back(FindingJson(f));
                documents.push_back({{"path", path},
                                     {"fileSize", diagnosis.record.loadedLength},
                                     {"faults", diagnosis.Faults()},
                                     {"findings", std::move(findings)}});
                continue;
            }
            PrintSummary(path, diagnosis, io.out);
            for (const auto& f : diagnosis.findings) PrintFinding(f, io.out);
        } catch (const MovieLoadError& e) {
            io.err << e.what() << '\n';
            documents.push_back({{"path", path}, {"error", e.what()}});
            status = kExitFailure;
        } catch (const platform::IoError& e) {
            const std::string reason =
                "cannot " + std::string(platform::FileOpVerb(e.Op())) + " the file: " + e.Reason();
            io.err << "brelvo-cli: " << path << ": " << reason << '\n';
            documents.push_back({{"path", path}, {"error", reason}});
            status = kExitFailure;
        }
    }
    if (json) {
        io.out << documents.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
               << '\n';
    }
    return status;
}

}  // namespace

Command CheckCommand() {
    return {"check", kSynopsis, "Find the header faults of each movie; write nothing.", RunCheck};
}

}  // namespace brelvo::cli
