// SPDX-License-Identifier: GPL-2.0-or-later
// Dispatch of brelvo-cli and its usage text.
#include <iostream>

#include "cli/cli_commands.h"

namespace brelvo::cli {
namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: brelvo-cli COMMAND [OPTIONS] FILE...\n"
           "       brelvo-cli --version\n"
           "Reads and edits AVI headers in place; no file is ever lengthened or shortened.\n\n"
           "Commands:\n";
    for (const auto& c : AllCommands()) {
        out << "  " << c.synopsis << "\n      " << c.summary << "\n";
    }
    out << "\nEvery command takes --json (one JSON array on stdout, an object per file in the\n"
           "order given; a file that failed is {\"path\", \"error\"}) and -q, --quiet (only\n"
           "failures and warnings). Movies are recognised by their content (RIFF ... AVI), not\n"
           "by their name.\n"
           "Run 'brelvo-cli COMMAND --help' for a command's options and an example.\n";
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintUsage(err);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(out);
        return kExitOk;
    }
    if (args[0] == "--version") {
        out << "brelvo-cli " << BRELVO_VERSION << '\n';
        return kExitOk;
    }
    for (const auto& c : AllCommands()) {
        if (c.name == args[0]) {
            return c.run(std::vector<std::string>(args.begin() + 1, args.end()),
                         CommandIo{out, err});
        }
    }
    err << "brelvo-cli: unknown command '" << args[0] << "'\n";
    PrintUsage(err);
    return kExitUsage;
}

}  // namespace brelvo::cli
