// What the edit commands share: each file loaded (walk and decode, never normalised), opened
// for the edit, every failure reported on stderr with the file and the reason while the other
// files still run, and the usage message of a command line that cannot run.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/movie_loader.h"
#include "editing/field_edit.h"
#include "platform/random_access_file.h"

namespace brelvo::cli {

// The edit of one movie; it writes through `file` (opened read-only in a dry run) and prints
// to io.out. Throws what the core throws.
using FileEdit =
    std::function<void(const LoadedMovie& movie, platform::RandomAccessFile& file, CommandIo io)>;

// Runs the edit on every file; returns kExitFailure when any file failed, kExitOk otherwise.
int EditEachFile(const std::vector<std::string>& files, editing::WriteMode mode, CommandIo io,
                 const FileEdit& edit);

// Prints "brelvo-cli NAME: MESSAGE", the synopsis and the help hint; returns kExitUsage.
int ReportUsage(CommandIo io, std::string_view name, std::string_view synopsis,
                std::string_view message);

// A text from a file (code-page bytes) for the terminal: up to its first NUL, quoted.
std::string QuotedFileText(std::string_view ansiBytes);

// " (dry run, nothing written)" in a dry run, empty otherwise.
std::string_view DryRunNote(editing::WriteMode mode);

}  // namespace brelvo::cli
