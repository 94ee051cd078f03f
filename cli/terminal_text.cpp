// SPDX-License-Identifier: GPL-2.0-or-later
// Terminal-safe texts.
#include "cli/terminal_text.h"

namespace brelvo::cli {

std::string TerminalSafe(std::string_view utf8) {
    std::string safe;
    safe.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        // C1 controls U+0080..U+009F are the two bytes C2 80..C2 9F in UTF-8.
        if (c == 0xC2 && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[i + 1]);
            if (next >= 0x80 && next <= 0x9F) {
                safe += '?';
                ++i;
                continue;
            }
        }
        safe += (c < 0x20 || c == 0x7F) ? '?' : static_cast<char>(c);
    }
    return safe;
}

std::string_view WithoutTrailingNuls(std::string_view text) {
    while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
    return text;
}

}  // namespace brelvo::cli
