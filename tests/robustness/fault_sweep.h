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
    // Runs the writer through the file layer; returns the failure it reported (an exception's
    // text, a command's error output), nothing when it reported success.
    using Run = std::function<std::optional<std::string>()>;
    std::string name;
    std::string moviePath;  // put back to its first bytes before every run
    Run run;
    std::vector<Region> allowed = {};  // where the movie may differ from its first bytes
    // Called after every run with the plan of that run (extra checks, e.g. on a WAV file).
    std::function<void(const platform::FaultPlan& plan, bool failed)> afterRun = {};
    bool tearWrites = false;  // failing writes store half their bytes (a full disk)
};

// Checks, for every failing step: the failure is reported; the movie keeps its length and
// holds its first bytes with exactly the writes that reached it applied, each inside the
// allowed regions; those writes are the leading writes of the clean run. Returns the number
// of writes of the clean run.
std::int64_t SweepFaults(const WriterUnderTest& writer);

// The failure a core operation reported, by exception.
std::optional<std::string> Reported(const std::function<void()>& operation);

// True when every write of the journal to the path lies in one of the regions.
bool WritesWithin(const platform::FaultPlan& plan, const std::string& path,
                  const std::vector<Region>& regions);

}  // namespace brelvo::testing
