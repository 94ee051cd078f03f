// SPDX-License-Identifier: GPL-2.0-or-later
// The mending plan and its application.
#include "repair/mend.h"

#include <algorithm>

#include "avi/field_patch.h"

namespace brelvo::repair {
namespace {

std::string LittleEndian(std::int64_t value, int width) {
    std::string bytes(static_cast<std::size_t>(width), '\0');
    for (int k = 0; k < width; ++k) {
        bytes[static_cast<std::size_t>(k)] = static_cast<char>((value >> (8 * k)) & 0xFF);
    }
    return bytes;
}

std::int64_t Unsigned(std::string_view bytes) {
    std::int64_t value = 0;
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        value |= static_cast<std::int64_t>(static_cast<unsigned char>(bytes[k])) << (8 * k);
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
                      const std::vector<FieldMend>& mends, avi::WriteMode mode) {
    MendReport report;
    avi::WritePlan plan(diagnosis.record.loadedLength);
    for (const auto& m : mends) plan.Add(m.field, LittleEndian(m.value, m.field.width));
    if (mends.empty()) {
        avi::RequireLoadedMovie(file, plan.loadedLength);
        return report;
    }
    const auto applied = avi::ApplyPlan(file, plan, mode);
    for (std::size_t k = 0; k < mends.size(); ++k) {
        report.changes.push_back(
            {mends[k].code, mends[k].field, Unsigned(applied.changes[k].before), mends[k].value});
    }
    report.written = applied.written;
    return report;
}

RepairOutcome Repair(platform::RandomAccessFile& file, const std::set<Code>& only,
                     avi::WriteMode mode) {
    RepairOutcome outcome;
    outcome.last = Diagnose(file);
    for (int round = 0; round < kMaxRepairRounds; ++round) {
        const auto mends = PlanMends(outcome.last, only);
        if (round > 0 && mends.empty()) break;
        MendReport report;
        try {
            report = ApplyMends(file, outcome.last, mends, mode);
        } catch (const avi::PatchRefused&) {
            // Refused before its first write; what earlier rounds mended stands and is reported.
            if (round == 0) throw;
            break;
        }
        outcome.written = outcome.written || report.written;
        outcome.changes.insert(outcome.changes.end(), report.changes.begin(), report.changes.end());
        if (!report.written) break;
        outcome.last = Diagnose(file);
    }
    return outcome;
}

}  // namespace brelvo::repair
