// SPDX-License-Identifier: GPL-2.0-or-later
// What the edit commands share: each file loaded (walk and decode, never normalised), opened
// for the edit, every failure reported on stderr with the file and the reason while the other
// files still run.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/edit_report.h"
#include "cli/file_reports.h"
#include "cli/movie_loader.h"
#include "editing/field_edit.h"
#include "platform/random_access_file.h"

namespace brelvo::cli {

// The edit of one movie; it writes through `file` (opened read-only in a dry run), prints its
// lines to io.out and returns what it wrote. Throws what the core throws.
using FileEdit = std::function<EditReport(const LoadedMovie& movie,
                                          platform::RandomAccessFile& file, CommandIo io)>;

// Runs the edit on every file, its lines or its JSON as `output` asks; returns kExitFailure
// when any file failed, kExitOk otherwise.
int EditEachFile(const std::vector<std::string>& files, editing::WriteMode mode,
                 OutputOptions output, CommandIo io, const FileEdit& edit);

// A text from a file (code-page bytes) for the terminal: up to its first NUL, quoted.
std::string QuotedFileText(std::string_view ansiBytes);

// " (dry run, nothing written)" in a dry run, empty otherwise.
std::string_view DryRunNote(editing::WriteMode mode);

}  // namespace brelvo::cli
