// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli check` and `brelvo-cli repair`: the diagnosis of each movie, and the mending of
// what overwriting fields mends.
#pragma once

#include "cli/cli_commands.h"

namespace brelvo::cli {

Command CheckCommand();
Command RepairCommand();

}  // namespace brelvo::cli
