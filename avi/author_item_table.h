// SPDX-License-Identifier: GPL-2.0-or-later
// The author items a movie's INFO list may hold, and the display name beside them: the one
// table the decoding, the window's author boxes and the command line's options all read.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace brelvo::avi {

struct AuthorItemEntry {
    std::string_view id;       // the chunk id, upper-case ("IART")
    std::string_view caption;  // what the window's tab calls it ("Artist")
    std::string_view box;      // the window's text box for it ("Text4")
    std::string_view option;   // brelvo-cli set-info's option ("--artist")
};

inline constexpr std::string_view kDisplayNameId = "DISP";

// The seven INFO text items in the order the window lists them, then the display name.
inline constexpr std::array<AuthorItemEntry, 8> kAuthorItems = {{
    {"IART", "Artist", "Text4", "--artist"},
    {"ICMT", "Comments", "Text5", "--comments"},
    {"ICOP", "Copyright", "Text6", "--copyright"},
    {"INAM", "Name", "Text7", "--name"},
    {"IPRD", "Product", "Text8", "--product"},
    {"ISRC", "Source", "Text9", "--source"},
    {"ISBJ", "Subject", "Text10", "--subject"},
    {kDisplayNameId, "Display Name", "disp", "--display-name"},
}};

// The table's entry for an id; null for an id it does not list.
constexpr const AuthorItemEntry* FindAuthorItem(std::string_view id) {
    for (const auto& item : kAuthorItems) {
        if (item.id == id) return &item;
    }
    return nullptr;
}

// True for the seven INFO text items (not the display name).
constexpr bool IsInfoTextItem(std::string_view id) {
    return FindAuthorItem(id) != nullptr && id != kDisplayNameId;
}

}  // namespace brelvo::avi
