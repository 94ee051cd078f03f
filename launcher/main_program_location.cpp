// SPDX-License-Identifier: GPL-2.0-or-later
// Main program location: a pair in one folder wins over the fixed path.
#include "launcher/main_program_location.h"

#include "launcher/command_line.h"
#include "platform/file_system.h"
#include "platform/path_text.h"

#ifndef BRELVO_INSTALLED_PROGRAM
#define BRELVO_INSTALLED_PROGRAM "/usr/local/bin/brelvo"
#endif

namespace brelvo::launcher {

std::string MainProgramFileName() {
#ifdef _WIN32
    return "brelvo.exe";
#else
    return "brelvo";
#endif
}

std::string FixedMainProgramPath() {
#ifdef _WIN32
    std::string_view program = kWindowsProgramText;
    program.remove_suffix(1);  // the blank belongs to the command line, not to the path
    return std::string(program);
#else
    return BRELVO_INSTALLED_PROGRAM;
#endif
}

std::string LocateMainProgram(std::string_view launcherFolder) {
    if (!launcherFolder.empty()) {
        const std::string beside =
            platform::JoinFolderAndName(launcherFolder, MainProgramFileName());
        if (platform::IsRegularFile(beside)) return beside;
    }
    return FixedMainProgramPath();
}

}  // namespace brelvo::launcher
