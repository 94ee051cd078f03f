// SPDX-License-Identifier: GPL-2.0-or-later
// Starting another program as a separate process that outlives the caller and is not waited for.
#pragma once

#include <string>
#include <vector>

namespace brelvo::platform {

// Window style 1: a normal window that takes the focus.
inline constexpr int kShowNormal = 1;

// Paths and the command line are narrow texts in the system's encoding of file names, as
// every path of platform/ is: UTF-8 or the locale's on POSIX, the ANSI code page on Windows.
struct ProcessLaunch {
    std::string program;                 // path of the program file, never looked up in PATH
    std::vector<std::string> arguments;  // POSIX: passed one by one, no shell in between
    std::string commandLine;             // Windows: the whole command line, passed as built
    int windowStyle = kShowNormal;       // Windows: how the program's first window is shown
};

struct StartResult {
    bool started = false;
    std::string reason;  // the system's reason when not started
};

// Starts the program detached: on POSIX in a session of its own, reaped at once so no zombie
// stays behind; the result tells whether the program itself could be executed.
[[nodiscard]] StartResult StartDetached(const ProcessLaunch& launch);

}  // namespace brelvo::platform
