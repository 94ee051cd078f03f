// SPDX-License-Identifier: GPL-2.0-or-later
// Reports of the edit commands for --json.
#include "cli/edit_report.h"

#include "cli/terminal_text.h"
#include "platform/ansi_codec.h"

namespace brelvo::cli {
namespace {

using Json = nlohmann::ordered_json;

FieldChangeReport Change(const avi::FieldRef& field, Json oldValue, Json newValue) {
    return {field.name, field.offset, field.width, std::move(oldValue), std::move(newValue)};
}

std::string Text(std::string_view ansiBytes) {
    return platform::AnsiToUtf8(WithoutTrailingNuls(ansiBytes));
}

}  // namespace

Json EditJson(const std::string& path, bool dryRun, const EditReport& report) {
    Json changes = Json::array();
    for (const auto& c : report.changes) {
        changes.push_back({{"field", c.field},
                           {"offset", c.offset},
                           {"width", c.width},
                           {"old", c.oldValue},
                           {"new", c.newValue}});
    }
    Json json{{"path", path}, {"dryRun", dryRun}, {"changes", std::move(changes)}};
    json.update(report.figures);
    return json;
}

FieldChangeReport ChangeOf(const editing::CodecTagChange& change) {
    // All four bytes, as info --json shows the tags.
    return Change(change.field, platform::AnsiToUtf8(change.oldBytes),
                  platform::AnsiToUtf8(change.newBytes));
}

std::vector<FieldChangeReport> ChangesOf(const editing::FrameRateChange& change) {
    std::vector<FieldChangeReport> changes;
    if (change.scaleWritten) {
        changes.push_back(Change(change.scaleField, change.before.scale, change.after.scale));
    }
    changes.push_back(Change(change.rateField, change.before.rate, change.after.rate));
    changes.push_back(Change(change.microSecField, change.before.microSecPerFrame,
                             change.after.microSecPerFrame));
    return changes;
}

FieldChangeReport ChangeOf(const editing::AudioDelayChange& change) {
    return Change(change.field, change.before, change.after);
}

FieldChangeReport ChangeOf(const info::AuthorItemWrite& item) {
    const auto kept = item.typeFieldBytes;
    const auto text = [kept](const std::string& bytes) {
        return Text(std::string_view(bytes).substr(std::min(kept, bytes.size())));
    };
    return {item.id, item.field.offset + static_cast<std::int64_t>(kept),
            item.field.width - static_cast<int>(kept), text(item.oldBytes), text(item.newBytes)};
}

}  // namespace brelvo::cli
