// SPDX-License-Identifier: GPL-2.0-or-later
// Path texts: the last separator, the file-name part, and folder + name joins. The separator
// is '\' (and '/') on Windows, '/' elsewhere.
#pragma once

#include <string>
#include <string_view>

namespace brelvo::platform {

bool IsPathSeparator(char c);
// The platform's separator for joins: '\' on Windows, '/' elsewhere.
char PreferredSeparator();
// The folder, then a separator unless the folder already ends in one, then the name.
std::string JoinFolderAndName(std::string_view folder, std::string_view name);
// ASCII upper case, one byte at a time (chunk ids, ".AVI" tests).
std::string AsciiUpper(std::string_view text);
// True when the last four characters, upper-cased, equal the given upper-case ending.
bool EndsWithUpper(std::string_view text, std::string_view upperEnding);

}  // namespace brelvo::platform
