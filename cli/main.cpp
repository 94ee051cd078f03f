// SPDX-License-Identifier: GPL-2.0-or-later
// brelvo-cli: the command-line face of the core.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/locale_separator.h"
#include "platform/interrupt_cleanup.h"

int main(int argc, char** argv) {
    brelvo::cli::UseLocaleDecimalSeparator();
    // Ctrl-C during an extraction must not leave its temporary file behind.
    brelvo::platform::RemoveRegisteredFilesOnInterrupt();
    std::vector<std::string> args(argv + 1, argv + argc);
    return brelvo::cli::RunCli(args, std::cout, std::cerr);
}
