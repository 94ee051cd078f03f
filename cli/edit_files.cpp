// SPDX-License-Identifier: GPL-2.0-or-later
// Running an edit over many files.
#include "cli/edit_files.h"

#include "avi/field_patch.h"
#include "cli/terminal_text.h"
#include "platform/ansi_codec.h"
#include "platform/io_error.h"

namespace brelvo::cli {
namespace {

// What a write that failed part-way left: the bytes of the edit written before it.
std::string WrittenBefore(const avi::PlanFailed& e, std::string_view edit) {
    return "; " + (e.BytesWritten() == 0 ? std::string("none") : std::to_string(e.BytesWritten())) +
           " of the " + std::string(edit) + "'s bytes had been written before it";
}

}  // namespace

void ReportEditFailure(FileReports& reports, const std::string& path, std::exception_ptr failure,
                       std::string_view edit) {
    try {
        std::rethrow_exception(failure);
    } catch (const MovieLoadError& e) {
        reports.Fail(e.Path(), e.Reason());
    } catch (const avi::PatchRefused& e) {
        reports.Fail(path, std::string(e.what()) + "; nothing was written");
    } catch (const platform::IoError& e) {
        const auto* partly = dynamic_cast<const avi::PlanFailed*>(&e);
        reports.Fail(path, "cannot " + std::string(platform::FileOpVerb(e.Op())) + " the file: " +
                               e.Reason() + (partly ? WrittenBefore(*partly, edit) : ""));
    }
}

int EditEachFile(const std::vector<std::string>& files, avi::WriteMode mode, OutputOptions output,
                 CommandIo io, const FileEdit& edit) {
    FileReports reports(io, output);
    const bool dryRun = mode == avi::WriteMode::DryRun;
    for (const auto& path : files) {
        try {
            reports.Add(EditJson(path, dryRun, edit(LoadMovie(path), reports.Io())));
        } catch (...) {
            ReportEditFailure(reports, path, std::current_exception());
        }
    }
    return reports.Finish();
}

std::string QuotedFileText(std::string_view ansiBytes) {
    const auto end = ansiBytes.find('\0');
    return "\"" + TerminalSafe(platform::AnsiToUtf8(ansiBytes.substr(0, end))) + "\"";
}

std::string_view DryRunNote(avi::WriteMode mode) {
    return mode == avi::WriteMode::DryRun ? " (dry run, nothing written)" : "";
}

avi::WriteMode ModeOf(bool dryRun) {
    return dryRun ? avi::WriteMode::DryRun : avi::WriteMode::Write;
}

}  // namespace brelvo::cli
