// The table of brelvo-cli's commands. Each command lives in its own file and adds one line here.
#include "cli/cli_commands.h"

namespace brelvo::cli {

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands = {
    };
    return commands;
}

}  // namespace brelvo::cli
