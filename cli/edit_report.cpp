// SPDX-License-Identifier: GPL-2.0-or-later
// Reports of the edit commands for --json.
#include "cli/edit_report.h"

#include <algorithm>

#include "cli/terminal_text.h"
#include "platform/ansi_codec.h"

namespace brelvo::cli {
namespace {

using Json = nlohmann::ordered_json;

std::int64_t SignedLittleEndian(const std::string& bytes) {
    std::uint64_t value = 0;
    for (std::size_t k = bytes.size(); k-- > 0;) {
        value = (value << 8) | static_cast<unsigned char>(bytes[k]);
    }
    const std::size_t bits = 8 * bytes.size();
    if (bits > 0 && bits < 64 && (value >> (bits - 1)) != 0) value |= ~std::uint64_t{0} << bits;
    return static_cast<std::int64_t>(value);
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

FieldChangeReport NumberChange(const avi::FieldChange& change) {
    return {change.field.name, change.field.offset, change.field.width,
            SignedLittleEndian(change.before), SignedLittleEndian(change.after)};
}

FieldChangeReport TextChange(const avi::FieldChange& change, std::size_t kept) {
    const auto text = [kept](const std::string& bytes) {
        const auto rest = std::string_view(bytes).substr(std::min(kept, bytes.size()));
        return platform::AnsiToUtf8(WithoutTrailingNuls(rest));
    };
    return {change.field.name, change.field.offset + static_cast<std::int64_t>(kept),
            change.field.width - static_cast<int>(kept), text(change.before), text(change.after)};
}

std::vector<FieldChangeReport> NumberChanges(const avi::PlanReport& report) {
    std::vector<FieldChangeReport> changes;
    for (const auto& c : report.changes) changes.push_back(NumberChange(c));
    return changes;
}

}  // namespace brelvo::cli
