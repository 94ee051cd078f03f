// SPDX-License-Identifier: GPL-2.0-or-later
// An edit as data: the recorded fields to write and the bytes for each. One operation applies
// every plan, whoever made it (the header edits, the load-time normalisation, the exit
// write-back, re-integration): it checks the whole plan before the first write, so a plan is
// written whole or refused whole, reads the old values, writes each field through the patch
// primitive, and reports old -> new per field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "avi/field_ref.h"
#include "avi/header_record.h"
#include "platform/io_error.h"
#include "platform/random_access_file.h"

namespace brelvo::avi {

enum class WriteMode { Write, DryRun };

struct FieldWrite {
    FieldRef field;
    std::span<const std::byte> bytes;  // meant to be field.width bytes
};

struct WritePlan {
    explicit WritePlan(std::int64_t loaded = -1) : loadedLength(loaded) {}

    // The movie's length when its fields were recorded: a file of another length is another
    // movie (a new encode saved under the same name), where the offsets mean nothing.
    std::int64_t loadedLength = -1;
    std::vector<FieldWrite> writes;  // written in this order
    // Bulk data (JUNK payloads, sound samples) is not read before it is written nor repeated
    // in the report: its old bytes are no value to show and may run to megabytes.
    bool reportBytes = true;

    // Adds a copy of the bytes.
    void Add(const FieldRef& field, std::string_view bytes);
    void AddInt32(const FieldRef& field, std::int32_t value);
    // Adds the bytes without a copy: the caller keeps them alive until the plan is applied.
    void AddView(const FieldRef& field, std::span<const std::byte> bytes);

  private:
    std::vector<std::shared_ptr<const std::string>> held_;  // what Add copied; shared by copies
};

struct FieldChange {
    FieldRef field;      // its name, 0-based offset and width
    std::string before;  // the bytes that stood in the file
    std::string after;   // the bytes written (in a dry run: that would be)
};

struct PlanReport {
    std::vector<FieldChange> changes;  // one per write, in plan order
    std::int64_t bytesWritten = 0;     // written and read back
    bool written = false;              // false in a dry run
};

// A write that failed part-way through a plan: the system's error, and how many bytes of the
// plan had been written and read back before it (the failing field may hold part of its bytes).
class PlanFailed : public platform::IoError {
  public:
    PlanFailed(const platform::IoError& cause, std::int64_t bytesWritten);
    std::int64_t BytesWritten() const { return bytesWritten_; }

  private:
    std::int64_t bytesWritten_;
};

// Throws PatchRefused when the file's length is not `loadedLength`: it is another movie.
void RequireLoadedMovie(platform::RandomAccessFile& file, std::int64_t loadedLength);

// Refuses the whole plan (PatchRefused, nothing written) when a field is unrecorded, its bytes
// are not its width, it ends past the end of the file, or the file's length is not the
// plan's loadedLength. Then reads the old values and, unless a dry run, writes every field and
// reads it back. Throws PatchRefused, platform::IoError (before the first write) or PlanFailed.
PlanReport ApplyPlan(platform::RandomAccessFile& file, const WritePlan& plan,
                     WriteMode mode = WriteMode::Write);
// The same on the movie at `path`, opened for this plan alone (read-only in a dry run). A plan
// refused for its fields never opens the file.
PlanReport ApplyPlan(const std::string& path, const WritePlan& plan,
                     WriteMode mode = WriteMode::Write);

// A plan of header fields with the headers as they read once it is written.
struct HeaderEdit {
    explicit HeaderEdit(HeaderRecord before)
        : plan(before.loadedLength), record(std::move(before)) {}
    WritePlan plan;
    HeaderRecord record;
};

struct AppliedEdit {
    PlanReport report;
    HeaderRecord record;  // as the movie now reads (in a dry run: would read)
};
AppliedEdit ApplyEdit(const std::string& path, HeaderEdit edit, WriteMode mode = WriteMode::Write);

}  // namespace brelvo::avi
