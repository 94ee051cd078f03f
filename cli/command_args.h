// SPDX-License-Identifier: GPL-2.0-or-later
// A command declared rather than hand-parsed: its name, synopsis, description, options (each
// with its help), JSON description and examples, and what it runs on the parsed arguments. One
// parser, one help layout and one usage message serve every command.
#pragma once

#include <functional>
#include <map>
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

struct OptionSpec {
    std::string_view name;        // "--stream"
    std::string_view value;       // "N" for an option with a value, empty for a flag
    std::string_view help;        // its help, lines after the first indented as the others
    std::string_view alias = {};  // "-n", or empty
};

inline constexpr OptionSpec kDryRunOption{"--dry-run", "", "show what would change, write nothing",
                                          "-n"};

// The arguments as parsed: every command takes --json, --quiet and --help besides its own.
struct Args {
    std::map<std::string, std::string> values;  // option -> its value ("--handler" -> "XVID")
    std::map<std::string, bool> flags;          // the flags given ("--force" -> true)
    std::vector<std::string> operands;          // values and files, in the order given
    OutputOptions output;
    bool help = false;

    bool Has(std::string_view flag) const { return flags.contains(std::string(flag)); }
    bool DryRun() const { return Has(kDryRunOption.name); }
};

struct CommandSpec {
    std::string_view name = {};
    std::string_view synopsis = {};     // one usage line, e.g. "info [--json] [--quiet] FILE..."
    std::string_view summary = {};      // one sentence for brelvo-cli --help
    std::string_view description = {};  // what it does, before the options
    std::vector<OptionSpec> options = {};
    std::string_view jsonObject = {};  // what each --json object holds
    std::string_view notes = {};       // after the options
    std::string_view examples = {};    // one command line a line
    // Runs on the parsed arguments; may throw UsageError for a value it cannot take.
    std::function<int(const Args& args, CommandIo io)> run = {};
};

// "--" ends the options; "-0.5" is an operand, not an option; a value follows its option or
// an "=". Throws UsageError for an unknown option, a missing value or an option given twice.
Args ParseArgs(const CommandSpec& spec, const std::vector<std::string>& args);
std::string HelpText(const CommandSpec& spec);
// Throws UsageError when no file is given.
void RequireFiles(const std::vector<std::string>& files);
// The command: --help prints the help, a wrong command line the usage message (exit 2).
Command Declare(CommandSpec spec);

}  // namespace brelvo::cli
