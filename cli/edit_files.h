// SPDX-License-Identifier: GPL-2.0-or-later
// What the edit commands share: each file loaded (walk and decode, never normalised), every
// failure reported on stderr with the file, the reason and what became of the file while the
// other files still run, and the report of each file as lines or JSON.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "avi/write_plan.h"
#include "cli/cli_commands.h"
#include "cli/edit_report.h"
#include "cli/file_reports.h"
#include "cli/movie_loader.h"

namespace brelvo::cli {

// The edit of one movie: it plans its writes on the loaded record, applies the plan in the
// command's mode, prints its lines to io.out and returns what it wrote. Throws what the core
// throws.
using FileEdit = std::function<EditReport(const LoadedMovie& movie, CommandIo io)>;

// Runs the edit on every file, its lines or its JSON as `output` asks; returns kExitFailure
// when any file failed, kExitOk otherwise.
int EditEachFile(const std::vector<std::string>& files, avi::WriteMode mode, OutputOptions output,
                 CommandIo io, const FileEdit& edit);

// Reports the failure of an edit of the movie at `path`: a load failure, a refused plan
// ("nothing was written") or a failed read or write with how many of the edit's bytes had been
// written. Rethrows anything else.
void ReportEditFailure(FileReports& reports, const std::string& path, std::exception_ptr failure,
                       std::string_view edit = "edit");

// A text from a file (code-page bytes) for the terminal: up to its first NUL, quoted.
std::string QuotedFileText(std::string_view ansiBytes);

// " (dry run, nothing written)" in a dry run, empty otherwise.
std::string_view DryRunNote(avi::WriteMode mode);
avi::WriteMode ModeOf(bool dryRun);

}  // namespace brelvo::cli
