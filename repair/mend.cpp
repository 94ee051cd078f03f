// SPDX-License-Identifier: GPL-2.0-or-later
// The mending plan and its application.
#include "repair/mend.h"

#include <algorithm>

#include "avi/field_patch.h"
#include "platform/little_endian.h"

namespace brelvo::repair {
namespace {

std::vector<std::byte> LittleEndian(std::int64_t value, int width) {
    std::vector<std::byte> bytes(static_cast<std::size_t>(width));
    for (int k = 0; k < width; ++k) {
        bytes[static_cast<std::size_t>(k)] = static_cast<std::byte>((value >> (8 * k)) & 0xFF);
    }
    return bytes;
}

std::int64_t Unsigned(std::span<const std::byte> bytes) {
    std::int64_t value = 0;
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        value |= static_cast<std::int64_t>(bytes[k]) << (8 * k);
    }
    return value;
}

}  // namespace

std::vector<FieldMend> PlanMends(const Diagnosis& diagnosis, const std::set<Code>& only) {
    std::vector<FieldMend> mends;
    for (const auto& finding : diagnosis.findings) {
        if (!finding.mendable || (!only.empty() && !only.contains(finding.code))) continue;
        for (const auto& v : finding.fields) {
            if (!v.should) continue;
            const bool named = std::any_of(mends.begin(), mends.end(), [&](const FieldMend& m) {
                return m.field.offset == v.field.offset;
            });
            if (!named) mends.push_back({finding.code, v.field, *v.should});
        }
    }
    std::stable_sort(mends.begin(), mends.end(), [](const FieldMend& a, const FieldMend& b) {
        return a.field.offset < b.field.offset;
    });
    return mends;
}

MendReport ApplyMends(platform::RandomAccessFile& file, const Diagnosis& diagnosis,
                      const std::vector<FieldMend>& mends, editing::WriteMode mode) {
    MendReport report;
    // Every field is checked before the first is written, so a refused plan writes nothing.
    editing::RequireLoadedLength(file, diagnosis.record.loadedLength);
    for (const auto& m : mends) editing::RequireWritable(file, diagnosis.record, {&m.field});
    for (const auto& m : mends) {
        std::vector<std::byte> old(static_cast<std::size_t>(m.field.width));
        file.ReadExactAt(m.field.offset, old);
        report.changes.push_back({m.code, m.field, Unsigned(old), m.value});
    }
    if (mode == editing::WriteMode::DryRun || mends.empty()) return report;
    for (const auto& m : mends)
        avi::PatchField(file, m.field, LittleEndian(m.value, m.field.width));
    report.written = true;
    return report;
}

}  // namespace brelvo::repair
