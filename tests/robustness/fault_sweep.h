// SPDX-License-Identifier: GPL-2.0-or-later
// The fault sweep: run a writer once to count its file operations, then once more for every
// open, read, write and seek with exactly that one failing, and check what it left behind.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/fault_injection.h"
#include "tests/support/riff_builder.h"

namespace brelvo::testing {

// Bytes [offset, offset + size) of the movie that the writer is meant to change.
struct Region {
    std::int64_t offset = 0;
    std::int64_t size = 0;
};

struct WriterUnderTest {
    using Run = std::function<std::optional<std::string>()>;
    WriterUnderTest(std::string writerName, std::string path, Run operation,
                    std::vector<Region> regions)
        : name(std::move(writerName)),
          moviePath(std::move(path)),
          run(std::move(operation)),
          allowed(std::move(regions)) {}

    std::string name;
    std::string moviePath;  // put back to its first bytes before every run
    // Runs the writer through the file layer; returns the failure it reported (an exception's
    // text, a command's error output), nothing when it reported success.
    Run run;
    std::vector<Region> allowed;  // where the movie may differ from its first bytes
    bool tearWrites = false;      // failing writes store half their bytes (a full disk)
    // Called after every run with the plan of that run (extra checks, e.g. on a WAV file).
    std::function<void(const platform::FaultPlan& plan, bool failed)> afterRun;
};

struct SweepTotals {
    std::int64_t runs = 0;
    std::int64_t writesInFullRun = 0;
};

// Checks, for every failing step: the failure is reported; the movie keeps its length and
// holds its first bytes with exactly the writes that reached it applied; those writes are the
// leading writes of the clean run; nothing changed outside the allowed regions.
SweepTotals SweepFaults(const WriterUnderTest& writer);

// The failure a core operation reported, by exception.
std::optional<std::string> Reported(const std::function<void()>& operation);

// The movie's first bytes with the journalled writes to it applied.
Bytes ApplyJournal(Bytes bytes, const std::vector<platform::JournalEntry>& journal);

// Offsets where two images differ (the shorter's length is compared).
std::vector<std::int64_t> DifferingOffsets(const Bytes& a, const Bytes& b);

// True when every offset lies in one of the regions.
bool WithinRegions(const std::vector<std::int64_t>& offsets, const std::vector<Region>& regions);

// Overwrites a file with bytes, outside the file layer (no hook sees it).
void RestoreFile(const std::string& path, const Bytes& bytes);

}  // namespace brelvo::testing
