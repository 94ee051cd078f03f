// `brelvo-cli info`: prints, per movie, the information tab's lines as the window shows them
// and then the author items; with --json, the headers with their offsets. Reads only.
#include "cli/info_command.h"

#include "avi/chunk_ids.h"
#include "avi/load_display.h"
#include "cli/command_args.h"
#include "cli/info_json.h"
#include "cli/movie_loader.h"
#include "cli/terminal_text.h"
#include "platform/ansi_codec.h"

namespace brelvo::cli {
namespace {

constexpr std::string_view kSynopsis = "info [--json] FILE...";

void PrintHelp(std::ostream& out) {
    out << "Usage: brelvo-cli " << kSynopsis
        << "\n"
           "Prints each movie's information as Brelvo's information tab shows it, then its\n"
           "author items (INFO id and text). The files are only read, never written.\n\n"
           "Options:\n"
           "  --json   one JSON object per movie (an array for several): headers as stored,\n"
           "           0-based field offsets, INFO items, display name and chunk map\n"
           "  --help   this text\n\n"
           "Example:\n"
           "  brelvo-cli info clip.avi\n"
           "  brelvo-cli info --json clip.avi\n";
}

void PrintText(const LoadedMovie& movie, std::ostream& out) {
    for (const auto& line :
         avi::InformationTabLines(movie.record, movie.chunkMap, movie.path, movie.fileSize)) {
        out << TerminalSafe(line) << '\n';
    }
    for (const auto& item : movie.record.textItems) {
        if (item.id == avi::kDisplayNameId) continue;
        out << item.id << ": "
            << TerminalSafe(platform::AnsiToUtf8(WithoutTrailingNuls(item.bytes))) << '\n';
    }
    if (const auto name = DisplayNameText(movie.record)) {
        out << avi::kDisplayNameId << ": " << TerminalSafe(*name) << '\n';
    }
}

int RunInfo(const std::vector<std::string>& args, CommandIo io) {
    FileArgs parsed;
    try {
        parsed = ParseFileArgs(args, {"--json"});
    } catch (const UsageError& e) {
        io.err << "brelvo-cli info: " << e.what() << "\nUsage: brelvo-cli " << kSynopsis
               << "\nRun 'brelvo-cli info --help' for more.\n";
        return kExitUsage;
    }
    if (parsed.help) {
        PrintHelp(io.out);
        return kExitOk;
    }
    const bool json = parsed.flags.contains("--json");
    const bool several = parsed.files.size() > 1;
    int status = kExitOk;
    auto documents = nlohmann::ordered_json::array();
    bool first = true;
    for (const auto& path : parsed.files) {
        try {
            const LoadedMovie movie = LoadMovie(path);
            if (json) {
                documents.push_back(InfoJson(movie));
                continue;
            }
            if (!first) io.out << '\n';
            first = false;
            PrintText(movie, io.out);
        } catch (const MovieLoadError& e) {
            io.err << e.what() << '\n';
            status = kExitFailure;
        }
    }
    if (json && !documents.empty()) {
        const auto& document = several ? documents : documents.front();
        // A path that is not valid UTF-8 must not abort the output.
        io.out << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
               << '\n';
    }
    return status;
}

}  // namespace

Command InfoCommand() {
    return {"info", kSynopsis, "Print the information and author items of each movie.", RunInfo};
}

}  // namespace brelvo::cli
