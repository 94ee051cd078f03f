// SPDX-License-Identifier: GPL-2.0-or-later
// Author details: the seven INFO text items and the display name, rewritten in place. Every
// item keeps its id, position and size; a new text takes exactly the room of the old one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "avi/field_ref.h"
#include "avi/write_plan.h"

namespace brelvo::info {

// A display name of this many bytes or more is neither shown nor written.
inline constexpr std::int32_t kDisplayNameLimit = 500;

// The padding rule, on bytes of the file's code page: a text shorter than the room gets
// blanks and one NUL up to the room, a text of the room's length stays as it is, a longer one
// is cut to the room.
std::string PadItemText(std::string_view ansiText, std::size_t room);

struct AuthorItemWrite {
    std::string id;
    std::size_t row = 0;             // ChunkMap row
    avi::FieldRef field;             // the item's data, all its bytes
    std::size_t typeFieldBytes = 0;  // 4 when a display-name type field was kept
    std::string oldBytes;            // the data as decoded
    std::string newBytes;            // the data written (the type field included)
    std::string boxText;             // UTF-8, what the item's box shows afterwards
    bool cut = false;                // the text was longer than the room
};

struct SkippedAuthorItem {
    std::string id;
    std::size_t row = 0;
    std::string reason;
};

struct AuthorItemsChange {
    std::vector<AuthorItemWrite> items;  // in map order, as added to the plan
    std::vector<SkippedAuthorItem> skipped;

    // The text each box shows afterwards; where an id occurs twice the last item wins, as at
    // load.
    std::map<std::string, std::string> BoxTexts() const;
};

// Adds every decoded text item whose id has a text in `textsById` (UTF-8, encoded in
// Windows-1252 with "?" for what it cannot hold), each padded or cut to its own size; the
// record's items follow. A display name whose text is the one its box showed at load is
// written back byte for byte. Items of size 0, display names of 500 bytes or more and items
// too large to be text are skipped and listed. Throws avi::PatchRefused when an item to write
// ends past the end of the file.
AuthorItemsChange AddAuthorItems(avi::HeaderEdit& edit,
                                 const std::map<std::string, std::string>& textsById);

}  // namespace brelvo::info
