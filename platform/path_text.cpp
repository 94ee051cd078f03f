// SPDX-License-Identifier: GPL-2.0-or-later
// Path texts.
#include "platform/path_text.h"

namespace brelvo::platform {

bool IsPathSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

char PreferredSeparator() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

std::string JoinFolderAndName(std::string_view folder, std::string_view name) {
    std::string joined(folder);
    if (joined.empty() || !IsPathSeparator(joined.back())) joined += PreferredSeparator();
    joined += name;
    return joined;
}

std::string AsciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = AsciiUpper(c);
    return out;
}

bool EndsWithUpper(std::string_view text, std::string_view upperEnding) {
    if (text.size() < upperEnding.size()) return false;
    return AsciiUpper(text.substr(text.size() - upperEnding.size())) == upperEnding;
}

}  // namespace brelvo::platform
