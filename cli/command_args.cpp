// SPDX-License-Identifier: GPL-2.0-or-later
// Parsing the arguments of a file command.
#include "cli/command_args.h"

#include <algorithm>

namespace brelvo::cli {

int ReportUsage(CommandIo io, std::string_view name, std::string_view synopsis,
                std::string_view message) {
    io.err << "brelvo-cli " << name << ": " << message << "\nUsage: brelvo-cli " << synopsis
           << "\nRun 'brelvo-cli " << name << " --help' for more.\n";
    return kExitUsage;
}

FileArgs ParseFileArgs(const std::vector<std::string>& args,
                       std::initializer_list<std::string_view> allowedFlags) {
    FileArgs parsed;
    bool optionsEnded = false;
    for (const auto& arg : args) {
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            parsed.files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            parsed.help = true;
        } else if (TakeOutputOption(arg, parsed.output)) {
            // taken into parsed.output
        } else if (std::find(allowedFlags.begin(), allowedFlags.end(), arg) != allowedFlags.end()) {
            parsed.flags.insert(arg);
        } else {
            throw UsageError("unknown option '" + arg + "'");
        }
    }
    if (!parsed.help && parsed.files.empty()) throw UsageError("no file given");
    return parsed;
}

}  // namespace brelvo::cli
