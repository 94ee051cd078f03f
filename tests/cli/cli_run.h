// SPDX-License-Identifier: GPL-2.0-or-later
// Runs brelvo-cli in-process with string streams.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"

namespace brelvo::cli::testing {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliResult Cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    CliResult result;
    result.status = RunCli(args, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

// stdout and stderr in one stream, as a terminal shows them.
inline std::string CliInterleaved(const std::vector<std::string>& args) {
    std::ostringstream both;
    RunCli(args, both, both);
    return both.str();
}

}  // namespace brelvo::cli::testing
