// What the edit commands share: each file loaded (walk and decode, never normalised), every
// failure reported on stderr with the file, the reason and what became of the file while the
// other files still run, and the usage message of a command line that cannot run.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "avi/write_plan.h"
#include "cli/cli_commands.h"
#include "cli/movie_loader.h"

namespace brelvo::cli {

// The edit of one movie: it plans its writes on the loaded record, applies the plan in the
// command's mode and prints to io.out. Throws what the core throws.
using FileEdit = std::function<void(const LoadedMovie& movie, CommandIo io)>;

// Runs the edit on every file; returns kExitFailure when any file failed, kExitOk otherwise.
int EditEachFile(const std::vector<std::string>& files, CommandIo io, const FileEdit& edit);

// Prints "brelvo-cli NAME: MESSAGE", the synopsis and the help hint; returns kExitUsage.
int ReportUsage(CommandIo io, std::string_view name, std::string_view synopsis,
                std::string_view message);

// A text from a file (code-page bytes) for the terminal: up to its first NUL, quoted.
std::string QuotedFileText(std::string_view ansiBytes);

// " (dry run, nothing written)" in a dry run, empty otherwise.
std::string_view DryRunNote(avi::WriteMode mode);
avi::WriteMode ModeOf(bool dryRun);

}  // namespace brelvo::cli
