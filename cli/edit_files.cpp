// SPDX-License-Identifier: GPL-2.0-or-later
// Running an edit over many files.
#include "cli/edit_files.h"

#include "avi/decode_headers.h"
#include "avi/field_patch.h"
#include "avi/scan_chunks.h"
#include "cli/terminal_text.h"
#include "platform/ansi_codec.h"
#include "platform/io_error.h"

namespace brelvo::cli {

int EditEachFile(const std::vector<std::string>& files, editing::WriteMode mode,
                 OutputOptions output, CommandIo io, const FileEdit& edit) {
    FileReports reports(io, output);
    const bool dryRun = mode == editing::WriteMode::DryRun;
    for (const auto& path : files) {
        try {
            const LoadedMovie movie = LoadMovie(path);
            const auto file = platform::OpenFile(
                path, dryRun ? platform::OpenMode::Read : platform::OpenMode::ReadWrite);
            reports.Add(EditJson(path, dryRun, edit(movie, *file, reports.Io())));
        } catch (const MovieLoadError& e) {
            reports.Fail(e.Path(), e.Reason());
        } catch (const avi::PatchRefused& e) {
            reports.Fail(path, std::string(e.what()) + "; nothing was written");
        } catch (const platform::IoError& e) {
            reports.Fail(path, "cannot " + std::string(platform::FileOpVerb(e.Op())) +
                                   " the file: " + e.Reason());
        }
    }
    return reports.Finish();
}

std::string QuotedFileText(std::string_view ansiBytes) {
    const auto end = ansiBytes.find('\0');
    return "\"" + TerminalSafe(platform::AnsiToUtf8(ansiBytes.substr(0, end))) + "\"";
}

std::string_view DryRunNote(editing::WriteMode mode) {
    return mode == editing::WriteMode::DryRun ? " (dry run, nothing written)" : "";
}

}  // namespace brelvo::cli
