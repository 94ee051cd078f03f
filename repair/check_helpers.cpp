// SPDX-License-Identifier: GPL-2.0-or-later
// What the checks share: recorded fields by name, and a finding on one field.
#include <algorithm>

#include "repair/checks.h"

namespace brelvo::repair {

std::optional<FieldValue> Recorded(const avi::HeaderRecord& record, std::string_view name,
                                   std::int64_t holds) {
    const auto found =
        std::find_if(record.fields.rbegin(), record.fields.rend(),
                     [&](const avi::FieldRef& f) { return f.name == name && f.Recorded(); });
    if (found == record.fields.rend()) return std::nullopt;
    return FieldValue{*found, holds, std::nullopt, {}};
}

Finding Mismatch(Code code, const FieldValue& value, std::int64_t should, std::string detail,
                 bool mendable) {
    FieldValue v = value;
    v.should = should;
    const std::int64_t widest = v.field.width >= 4 ? 0xFFFFFFFFLL : 0xFFFFLL;
    return {
        code, v.field.offset, {v}, std::move(detail), mendable && should >= 0 && should <= widest};
}

std::string StreamField(std::string_view chunk, int stream, std::string_view field) {
    return std::string(chunk) + "[" + std::to_string(stream) + "]." + std::string(field);
}

}  // namespace brelvo::repair
