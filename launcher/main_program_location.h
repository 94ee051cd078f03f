// SPDX-License-Identifier: GPL-2.0-or-later
// Where the launcher finds the main program: beside itself, else at the fixed location.
#pragma once

#include <string>
#include <string_view>

namespace brelvo::launcher {

// "brelvo.exe" on Windows, "brelvo" elsewhere.
std::string MainProgramFileName();
// Windows: C:\Brelvo\brelvo.exe; elsewhere the installed bin/brelvo of this build.
std::string FixedMainProgramPath();
// The main program in `launcherFolder` when it is there (an installed or built pair), else
// the fixed location.
std::string LocateMainProgram(std::string_view launcherFolder);

}  // namespace brelvo::launcher
