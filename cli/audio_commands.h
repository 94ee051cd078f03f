// SPDX-License-Identifier: GPL-2.0-or-later
// The audio track commands of brelvo-cli: extract-audio and reintegrate-audio, each in its own
// file (cli/*_audio_command.cpp).
#pragma once

#include "cli/cli_commands.h"

namespace brelvo::cli {

Command ExtractAudioCommand();
Command ReintegrateAudioCommand();

}  // namespace brelvo::cli
