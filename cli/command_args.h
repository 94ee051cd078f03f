// SPDX-License-Identifier: GPL-2.0-or-later
// The arguments of a file command: its flags, its files, and whether help was asked for.
#pragma once

#include <initializer_list>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/file_reports.h"

namespace brelvo::cli {

// A command line the command cannot run; the command prints it with its usage (exit 2).
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Prints "brelvo-cli NAME: MESSAGE", the synopsis and the help hint; returns kExitUsage.
int ReportUsage(CommandIo io, std::string_view name, std::string_view synopsis,
                std::string_view message);

struct FileArgs {
    std::set<std::string> flags;     // the allowed flags that were given, e.g. "--force"
    std::vector<std::string> files;  // in the order given
    OutputOptions output;            // --json, --quiet: every command takes them
    bool help = false;
};

// "--help"/"-h" anywhere asks for help; "--" ends the options, so a file may start with "-".
// Throws UsageError for an unknown option or, unless help was asked for, no file at all.
FileArgs ParseFileArgs(const std::vector<std::string>& args,
                       std::initializer_list<std::string_view> allowedFlags);

}  // namespace brelvo::cli
