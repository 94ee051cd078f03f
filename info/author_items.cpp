// Author details, rewritten in place.
#include "info/author_items.h"

#include <algorithm>
#include <optional>
#include <span>

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

std::optional<std::string> SkipReason(const avi::ChunkRow& row) {
    if (row.size == 0) return "the item has no room for text (size 0)";
    if (row.size < 0) return "its size field is not a text size";
    if (row.id == avi::kDisplayNameId && row.size >= kDisplayNameLimit) {
        return "a display name of " + std::to_string(kDisplayNameLimit) +
               " bytes or more is not edited";
    }
    if (row.size > avi::kMaxTextItemBytes) {
        return "the item claims " + std::to_string(row.size) + " bytes, too many for a text item";
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

const std::vector<std::string>& AuthorItemIds() {
    static const std::vector<std::string> ids = [] {
        std::vector<std::string> all(avi::kInfoItemIds.begin(), avi::kInfoItemIds.end());
        all.emplace_back(avi::kDisplayNameId);
        return all;
    }();
    return ids;
}

bool IsAuthorItemId(std::string_view id) {
    const auto& ids = AuthorItemIds();
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

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

AuthorItemsChange ApplyAuthorItems(platform::RandomAccessFile& file, const avi::ChunkMap& chunkMap,
                                   std::size_t decodedChunkCount,
                                   const std::map<std::string, std::string>& textsById,
                                   editing::WriteMode mode, std::int64_t loadedLength) {
    editing::RequireLoadedLength(file, loadedLength);
    AuthorItemsChange change;
    const auto length = file.Length();
    const auto rows = std::min(decodedChunkCount, chunkMap.size());
    for (std::size_t i = 0; i < rows; ++i) {
        const auto& row = chunkMap[i];
        const auto text = textsById.find(row.id);
        if (!IsAuthorItemId(row.id) || text == textsById.end()) continue;
        if (auto reason = SkipReason(row)) {
            change.skipped.push_back({row.id, i, std::move(*reason)});
            continue;
        }
        AuthorItemWrite write;
        write.id = row.id;
        write.row = i;
        write.field =
            avi::FieldRef{row.id + "[" + std::to_string(i) + "]", row.DataOffset(), row.size};
        if (!write.field.Recorded() || write.field.offset + row.size > length) {
            throw avi::PatchRefused("the item " + row.id + " ends past the end of the file");
        }
        const auto old = file.ReadVectorAt(write.field.offset, static_cast<std::size_t>(row.size));
        write.oldBytes.assign(reinterpret_cast<const char*>(old.data()), old.size());
        auto room = static_cast<std::size_t>(row.size);
        const bool displayName = row.id == avi::kDisplayNameId;
        if (displayName && avi::DisplayNameRoom(write.oldBytes) == 0) {
            change.skipped.push_back({row.id, i, "no room for text behind its type field"});
            continue;
        }
        if (displayName &&
            text->second == platform::AnsiToUtf8(avi::DisplayNameText(write.oldBytes))) {
            // Unchanged: the blanks the box shows for the closing NUL must not replace it.
            write.newBytes = write.oldBytes;
            write.boxText = text->second;
            change.items.push_back(std::move(write));
            continue;
        }
        if (displayName && avi::HasDisplayTypeField(write.oldBytes)) {
            write.typeFieldBytes = kTypeFieldBytes;
            write.newBytes = write.oldBytes.substr(0, kTypeFieldBytes);
            room -= kTypeFieldBytes;
        }
        PlaceText(write, text->second, room);
        change.items.push_back(std::move(write));
    }
    if (mode == editing::WriteMode::DryRun) return change;
    for (const auto& item : change.items) {
        avi::PatchField(file, item.field, std::as_bytes(std::span(item.newBytes)));
    }
    change.written = true;
    return change;
}

AuthorItemsChange ApplyAuthorItems(const std::string& path, const avi::ChunkMap& chunkMap,
                                   std::size_t decodedChunkCount,
                                   const std::map<std::string, std::string>& textsById,
                                   editing::WriteMode mode, std::int64_t loadedLength) {
    const auto file =
        platform::OpenFile(path, mode == editing::WriteMode::Write ? platform::OpenMode::ReadWrite
                                                                   : platform::OpenMode::Read);
    return ApplyAuthorItems(*file, chunkMap, decodedChunkCount, textsById, mode, loadedLength);
}

}  // namespace brelvo::info
