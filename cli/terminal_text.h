// SPDX-License-Identifier: GPL-2.0-or-later
// Texts from movie files made safe for a terminal: a header field or INFO item may hold any
// bytes, and control characters (escape sequences among them) must not reach the terminal.
#pragma once

#include <string>
#include <string_view>

namespace brelvo::cli {

// The UTF-8 text with every C0 control, DEL and C1 control replaced by '?'.
std::string TerminalSafe(std::string_view utf8);

// The text without its trailing NUL characters.
std::string_view WithoutTrailingNuls(std::string_view text);

}  // namespace brelvo::cli
