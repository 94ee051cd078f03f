// SPDX-License-Identifier: GPL-2.0-or-later
// Author details, rewritten in place.
#include "info/author_items.h"

#include <algorithm>
#include <optional>

#include "avi/author_item_table.h"
#include "avi/chunk_ids.h"
#include "avi/decode_headers.h"
#include "avi/field_patch.h"
#include "avi/load_display.h"
#include "platform/ansi_codec.h"

namespace brelvo::info {
namespace {

constexpr std::size_t kTypeFieldBytes = 4;

// The first `count` characters of a UTF-8 text.
std::string Utf8Prefix(std::string_view utf8, std::size_t count) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const bool lead = (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80;
        if (lead && characters++ == count) return std::string(utf8.substr(0, i));
    }
    return std::string(utf8);
}

std::optional<std::string> SkipReason(const avi::TextItem& item) {
    if (item.size == 0) return "the item has no room for text (size 0)";
    if (item.size < 0) return "its size field is not a text size";
    if (item.id == avi::kDisplayNameId && item.size >= kDisplayNameLimit) {
        return "a display name of " + std::to_string(kDisplayNameLimit) +
               " bytes or more is not edited";
    }
    if (item.size > avi::kMaxTextItemBytes) {
        return "the item claims " + std::to_string(item.size) + " bytes, too many for a text item";
    }
    return std::nullopt;
}

// Fills the text part of a planned write: the box text and the bytes for `room` bytes.
void PlaceText(AuthorItemWrite& write, std::string_view utf8Text, std::size_t room) {
    const std::string kept = Utf8Prefix(utf8Text, room);
    write.cut = kept.size() < utf8Text.size();
    std::string ansi = platform::Utf8ToAnsi(kept);
    if (ansi.size() > room) ansi.resize(room);  // never more than the item holds
    const std::size_t characters = ansi.size();
    write.boxText = kept + std::string(characters < room ? room - characters - 1 : 0, ' ');
    write.newBytes += PadItemText(ansi, room);
}

}  // namespace

std::string PadItemText(std::string_view ansiText, std::size_t room) {
    if (ansiText.size() >= room) return std::string(ansiText.substr(0, room));
    std::string padded(ansiText);
    padded.append(room - ansiText.size() - 1, ' ');
    padded.push_back('\0');
    return padded;
}

std::map<std::string, std::string> AuthorItemsChange::BoxTexts() const {
    std::map<std::string, std::string> texts;
    for (const auto& item : items) texts[item.id] = item.boxText;
    return texts;
}

AuthorItemsChange AddAuthorItems(avi::HeaderEdit& edit,
                                 const std::map<std::string, std::string>& textsById) {
    AuthorItemsChange change;
    auto& record = edit.record;
    for (auto& item : record.textItems) {
        const auto text = textsById.find(item.id);
        if (avi::FindAuthorItem(item.id) == nullptr || text == textsById.end()) continue;
        if (auto reason = SkipReason(item)) {
            change.skipped.push_back({item.id, item.row, std::move(*reason)});
            continue;
        }
        if (item.field.width != item.size) {  // decoding read less than the item claims
            if (item.DataOffset() + item.size > record.loadedLength) {
                throw avi::PatchRefused("the item " + item.id + " ends past the end of the file");
            }
            change.skipped.push_back({item.id, item.row, "the item could not be read whole"});
            continue;
        }
        AuthorItemWrite write;
        write.id = item.id;
        write.row = item.row;
        write.field = item.field;
        write.oldBytes = item.bytes;
        auto room = static_cast<std::size_t>(item.size);
        const bool displayName = item.id == avi::kDisplayNameId;
        if (displayName && avi::DisplayNameRoom(item.bytes) == 0) {
            change.skipped.push_back({item.id, item.row, "no room for text behind its type field"});
            continue;
        }
        if (displayName && text->second == platform::AnsiToUtf8(avi::DisplayNameText(item.bytes))) {
            // Unchanged: the blanks the box shows for the closing NUL must not replace it.
            write.newBytes = item.bytes;
            write.boxText = text->second;
        } else {
            if (displayName && avi::HasDisplayTypeField(item.bytes)) {
                write.typeFieldBytes = kTypeFieldBytes;
                write.newBytes = item.bytes.substr(0, kTypeFieldBytes);
                room -= kTypeFieldBytes;
            }
            PlaceText(write, text->second, room);
        }
        edit.plan.Add(write.field, write.newBytes);
        item.bytes = write.newBytes;
        change.items.push_back(std::move(write));
    }
    return change;
}

}  // namespace brelvo::info
