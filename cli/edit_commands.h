// SPDX-License-Identifier: GPL-2.0-or-later
// The header edit commands of brelvo-cli: set-fourcc, set-fps, set-delay and set-info.
// Each lives in its own file (cli/set_*_command.cpp).
#pragma once

#include "cli/cli_commands.h"

namespace brelvo::cli {

Command SetFourccCommand();
Command SetFpsCommand();
Command SetDelayCommand();
Command SetInfoCommand();

}  // namespace brelvo::cli
