// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli keyframes FILE...`: the key-frame statistic of each movie, from its index.
#pragma once

#include "cli/cli_commands.h"

namespace brelvo::cli {

Command KeyframesCommand();

}  // namespace brelvo::cli
