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
// ASCII upper case of one byte; other bytes stay as they are.
constexpr char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
// ASCII upper case, one byte at a time (chunk ids, ".AVI" tests).
std::string AsciiUpper(std::string_view text);
// True when the texts are the same once upper-cased: chunk ids match in any letter case.
constexpr bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (AsciiUpper(a[k]) != AsciiUpper(b[k])) return false;
    }
    return true;
}
// True when the last four characters, upper-cased, equal the given upper-case ending.
bool EndsWithUpper(std::string_view text, std::string_view upperEnding);

}  // namespace brelvo::platform
