// SPDX-License-Identifier: GPL-2.0-or-later
// Mending a diagnosed movie: the fields of its mendable findings overwritten with what the
// structure says, as one plan through the write path (checked whole before the first write,
// read back, reported old -> new). Nothing is moved, inserted or resized.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "avi/write_plan.h"
#include "platform/random_access_file.h"
#include "repair/diagnose.h"

namespace brelvo::repair {

struct FieldMend {
    Code code{};
    avi::FieldRef field;
    std::int64_t value = 0;
};

// The mends of the mendable findings whose code is in `only` (every code when it is empty),
// one per field, in file order.
std::vector<FieldMend> PlanMends(const Diagnosis& diagnosis, const std::set<Code>& only = {});

struct MendChange {
    Code code{};
    avi::FieldRef field;
    std::int64_t before = 0;  // as the file held it
    std::int64_t after = 0;
};

struct MendReport {
    std::vector<MendChange> changes;
    bool written = false;  // false in a dry run or with nothing to mend
};

// Applies the mends as one write plan of the diagnosed movie. Throws avi::PatchRefused (nothing
// written: the file is not the one diagnosed, a field is out of bounds), platform::IoError or
// avi::PlanFailed.
MendReport ApplyMends(platform::RandomAccessFile& file, const Diagnosis& diagnosis,
                      const std::vector<FieldMend>& mends,
                      avi::WriteMode mode = avi::WriteMode::Write);

// A mended field can change how the byte-wise chunk scan reads the headers (its old value
// spelled an id, say), and the new reading can find faults the first one could not see; so a
// repair reads the movie again after each round of mends, at most this many rounds.
inline constexpr int kMaxRepairRounds = 4;

struct RepairOutcome {
    std::vector<MendChange> changes;  // every round's, in order
    bool written = false;
    Diagnosis last;  // the reading after the last round; in a dry run, the only one
};

// Diagnoses, mends (the codes in `only`, every code when it is empty) and reads again until
// nothing is left to mend. A dry run plans the first round only. Throws as ApplyMends does;
// a later round's refusal (nothing of it written) ends the repair with what was mended.
RepairOutcome Repair(platform::RandomAccessFile& file, const std::set<Code>& only = {},
                     avi::WriteMode mode = avi::WriteMode::Write);

}  // namespace brelvo::repair
