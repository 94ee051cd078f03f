// SPDX-License-Identifier: GPL-2.0-or-later
// The ANSI code page of the texts stored in movies: Windows-1252, one byte per character.
// Inside the program text is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace brelvo::platform {

// Each byte becomes one character (undefined 1252 bytes map to the C1 control of that value).
std::string AnsiToUtf8(std::string_view ansi);
// Each character becomes one byte; a character the code page cannot hold becomes '?'.
// Malformed UTF-8 bytes count as one unrepresentable character each.
std::string Utf8ToAnsi(std::string_view utf8);
// Upper case of a UTF-8 text, letters beyond ASCII too (Latin, Greek, Cyrillic); bytes that
// are not UTF-8 stay as they are.
std::string Utf8Upper(std::string_view utf8);
// Number of characters (code points) of a UTF-8 text.
std::size_t Utf8Length(std::string_view utf8);

}  // namespace brelvo::platform
