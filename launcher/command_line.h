// SPDX-License-Identifier: GPL-2.0-or-later
// What the launcher starts for a chosen movie: the command line and the process to start.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/process_start.h"

namespace brelvo::launcher {

// The main program's fixed location on Windows, with the blank that ends it.
inline constexpr std::string_view kWindowsProgramText = "C:\\Brelvo\\brelvo.exe ";

// Only names ending in ".AVI", in any letter case, are started.
bool IsMovieName(std::string_view name);
// The folder, one separator unless the folder already ends in one (a root), then the name.
std::string MoviePath(std::string_view folder, std::string_view name);
// The program text (ending in its blank) followed by the movie's path, nothing quoted.
std::string BuildCommandLine(std::string_view programText, std::string_view folder,
                             std::string_view name);
// The program's path with the blank that separates it from the movie; quoted only when the
// path itself holds a blank, so it cannot run into the movie's path.
std::string ProgramText(std::string_view program);
// The process for the movie `name` in `folder`: the movie's path as the single argument, and
// the same as one command line. Nothing when the name is not a movie's.
std::optional<platform::ProcessLaunch> PlanLaunch(std::string_view program, std::string_view folder,
                                                  std::string_view name);

}  // namespace brelvo::launcher
