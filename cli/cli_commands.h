// SPDX-License-Identifier: GPL-2.0-or-later
// The commands of brelvo-cli, each a function from arguments to an exit status.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace brelvo::cli {

// Exit statuses: 0 success, 1 a file failed, 2 usage error.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct CommandIo {
    std::ostream& out;
    std::ostream& err;
};

using CommandFunction = std::function<int(const std::vector<std::string>& args, CommandIo io)>;

struct Command {
    std::string_view name;
    std::string_view synopsis;  // one usage line, e.g. "info [--json] FILE..."
    std::string_view summary;   // one sentence
    CommandFunction run;
};

// Runs the command named by args[0]; "--help" and no arguments print the usage.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Every command, in the order --help lists them.
const std::vector<Command>& AllCommands();

}  // namespace brelvo::cli
