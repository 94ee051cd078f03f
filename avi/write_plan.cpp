// SPDX-License-Identifier: GPL-2.0-or-later
// Applying a write plan.
#include "avi/write_plan.h"

#include <array>
#include <limits>

#include "avi/field_patch.h"
#include "platform/little_endian.h"

namespace brelvo::avi {
namespace {

std::string AsText(std::span<const std::byte> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

void RequireLoadedMovie(platform::RandomAccessFile& file, std::int64_t loadedLength) {
    const auto length = file.Length();
    if (length != loadedLength) {
        throw PatchRefused("the file has changed since it was loaded (" +
                           std::to_string(loadedLength) + " bytes then, " + std::to_string(length) +
                           " now)");
    }
}

void WritePlan::Add(const FieldRef& field, std::string_view bytes) {
    held_.push_back(std::make_shared<const std::string>(bytes));
    writes.push_back({field, std::as_bytes(std::span(*held_.back()))});
}

void WritePlan::AddInt32(const FieldRef& field, std::int32_t value) {
    std::array<std::byte, 4> bytes{};
    platform::WriteI32(bytes, 0, value);
    Add(field, AsText(bytes));
}

void WritePlan::AddView(const FieldRef& field, std::span<const std::byte> bytes) {
    writes.push_back({field, bytes});
}

PlanFailed::PlanFailed(const platform::IoError& cause, std::int64_t bytesWritten)
    : platform::IoError(cause.Op(), cause.Path(), cause.Reason()), bytesWritten_(bytesWritten) {}

PlanReport ApplyPlan(platform::RandomAccessFile& file, const WritePlan& plan, WriteMode mode) {
    RequireLoadedMovie(file, plan.loadedLength);
    for (const auto& w : plan.writes) CheckPatch(w.field, w.bytes, plan.loadedLength);
    PlanReport report;
    for (const auto& w : plan.writes) {
        FieldChange change{w.field, {}, {}};
        if (plan.reportBytes) {
            change.before.resize(w.bytes.size());
            file.ReadExactAt(w.field.offset, std::as_writable_bytes(std::span(change.before)));
            change.after = AsText(w.bytes);
        }
        report.changes.push_back(std::move(change));
    }
    if (mode == WriteMode::DryRun) return report;
    for (const auto& w : plan.writes) {
        try {
            PatchField(file, w.field, w.bytes, plan.loadedLength);
        } catch (const platform::IoError& e) {
            throw PlanFailed(e, report.bytesWritten);
        }
        report.bytesWritten += w.field.width;
    }
    report.written = true;
    return report;
}

PlanReport ApplyPlan(const std::string& path, const WritePlan& plan, WriteMode mode) {
    for (const auto& w : plan.writes) {  // what needs no file
        CheckPatch(w.field, w.bytes, std::numeric_limits<std::int64_t>::max());
    }
    const auto file = platform::OpenFile(
        path, mode == WriteMode::Write ? platform::OpenMode::ReadWrite : platform::OpenMode::Read);
    return ApplyPlan(*file, plan, mode);
}

AppliedEdit ApplyEdit(const std::string& path, HeaderEdit edit, WriteMode mode) {
    auto report = ApplyPlan(path, edit.plan, mode);
    return {std::move(report), std::move(edit.record)};
}

}  // namespace brelvo::avi
