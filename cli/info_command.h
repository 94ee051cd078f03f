// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli info [--json] FILE...`: the information tab and author items of each movie.
#pragma once

#include "cli/cli_commands.h"

namespace brelvo::cli {

Command InfoCommand();

}  // namespace brelvo::cli
