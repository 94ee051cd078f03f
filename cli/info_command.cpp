// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli info`: prints, per movie, the information tab's lines as the window shows them
// and then the author items; with --json, the headers with their offsets. Reads only.
#include "cli/info_command.h"

#include "avi/chunk_ids.h"
#include "avi/load_display.h"
#include "cli/command_args.h"
#include "cli/file_reports.h"
#include "cli/info_json.h"
#include "cli/movie_loader.h"
#include "cli/terminal_text.h"
#include "platform/ansi_codec.h"

namespace brelvo::cli {
namespace {

constexpr std::string_view kSynopsis = "info [--json] [--quiet] FILE...";

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

int RunInfo(const Args& parsed, CommandIo io) {
    RequireFiles(parsed.operands);
    FileReports reports(io, parsed.output);
    const bool several = parsed.operands.size() > 1;
    bool first = true;
    for (const auto& path : parsed.operands) {
        if (several && !first) reports.Lines() << '\n';
        first = false;
        try {
            const LoadedMovie movie = LoadMovie(path);
            if (several) reports.Lines() << TerminalSafe(path) << ":\n";
            PrintText(movie, reports.Lines());
            reports.Add(InfoJson(movie));
        } catch (const MovieLoadError& e) {
            reports.Fail(e.Path(), e.Reason());
        }
    }
    return reports.Finish();
}

}  // namespace

Command InfoCommand() {
    return Declare({
        .name = "info",
        .synopsis = kSynopsis,
        .summary = "Print the information and author items of each movie.",
        .description =
            "Prints each movie's information as Brelvo's information tab shows it, then its\n"
            "author items (INFO id and text). With several files each movie starts with a line\n"
            "of its path and a colon. The files are only read, never written.",
        .jsonObject = "each object: the headers as stored, the 0-based offsets of\n"
                      "the fields the edit commands rewrite, the INFO items, the\n"
                      "display name, and the chunk map (its \"position\" 1-based,\n"
                      "\"idOffset\" the 0-based offset of the chunk's id)",
        .examples = "info clip.avi\ninfo --json clip.avi",
        .run = RunInfo,
    });
}

}  // namespace brelvo::cli
