// SPDX-License-Identifier: GPL-2.0-or-later
// What the harnesses share: the errors by which the core refuses bad input (anything else
// escaping is a fault), byte regions, and the check that an operation changed nothing outside
// the bytes it owns.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "avi/field_ref.h"
#include "tests/support/fault_injection.h"
#include "tests/support/memory_file.h"

namespace brelvo::fuzz {

struct ByteRegion {
    std::int64_t offset = 0;
    std::int64_t size = 0;
};
ByteRegion RegionOfField(const avi::FieldRef& field);

// An in-memory file whose writes are journalled, so a check costs the bytes written rather
// than a copy of the whole file.
class WatchedFile {
  public:
    explicit WatchedFile(std::vector<std::byte> bytes, std::string path = "fuzz.avi");

    platform::RandomAccessFile& File() { return *file_; }
    const std::vector<std::byte>& Bytes() const { return memory_->Bytes(); }
    const std::vector<platform::JournalEntry>& Journal() const { return plan_->Journal(); }

  private:
    std::shared_ptr<platform::FaultPlan> plan_;
    platform::MemoryFile* memory_;  // owned by file_
    std::unique_ptr<platform::RandomAccessFile> file_;
};

// Throws InvariantBroken with the text when the condition is false.
void Require(bool condition, const std::string& what);

// Runs the operation; the core's own refusals (typed errors) end it quietly, anything else
// propagates. An in-memory file refuses to grow, so a write past its end is a fault, not a
// refusal. Returns true when the operation ran to its end.
bool Refusable(const std::function<void()>& operation);

// Runs a writer on the file and requires that it changed only bytes inside the regions, kept
// the length, and wrote nothing when it refused (a refusal before the first write).
void RequireConfinedWrites(WatchedFile& file, const std::vector<ByteRegion>& regions,
                           const std::string& what, const std::function<void()>& writer,
                           bool refusalWritesNothing);

// Requires that the journal's writes from `firstWrite` on lie inside the regions.
void RequireWritesWithin(const WatchedFile& file, const std::vector<ByteRegion>& regions,
                         const std::string& what, std::size_t firstWrite = 0);

}  // namespace brelvo::fuzz
