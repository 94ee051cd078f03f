// SPDX-License-Identifier: GPL-2.0-or-later
// The launcher's command line: built from text alone, so every form of it is testable here.
#include "launcher/command_line.h"

#include "platform/path_text.h"

namespace brelvo::launcher {

bool IsMovieName(std::string_view name) {
    return platform::EndsWithUpper(name, ".AVI");
}

std::string MoviePath(std::string_view folder, std::string_view name) {
    return platform::JoinFolderAndName(folder, name);
}

std::string BuildCommandLine(std::string_view programText, std::string_view folder,
                             std::string_view name) {
    return std::string(programText) + MoviePath(folder, name);
}

std::string ProgramText(std::string_view program) {
    if (program.find(' ') == std::string_view::npos) return std::string(program) + ' ';
    return '"' + std::string(program) + "\" ";
}

std::optional<platform::ProcessLaunch> PlanLaunch(std::string_view program, std::string_view folder,
                                                  std::string_view name) {
    if (!IsMovieName(name)) return std::nullopt;
    platform::ProcessLaunch launch;
    launch.program = program;
    launch.arguments = {MoviePath(folder, name)};
    launch.commandLine = BuildCommandLine(ProgramText(program), folder, name);
    launch.windowStyle = platform::kShowNormal;
    return launch;
}

}  // namespace brelvo::launcher
