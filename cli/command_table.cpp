// SPDX-License-Identifier: GPL-2.0-or-later
// The table of brelvo-cli's commands. Each command lives in its own file and adds one line here.
#include "cli/audio_commands.h"
#include "cli/cli_commands.h"
#include "cli/edit_commands.h"
#include "cli/info_command.h"
#include "cli/keyframes_command.h"
#include "cli/repair_commands.h"

namespace brelvo::cli {

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands = {
        InfoCommand(),     KeyframesCommand(), SetFourccCommand(),    SetFpsCommand(),
        SetDelayCommand(), SetInfoCommand(),   ExtractAudioCommand(), ReintegrateAudioCommand(),
        CheckCommand(),    RepairCommand(),
    };
    return commands;
}

}  // namespace brelvo::cli
