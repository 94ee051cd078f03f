// SPDX-License-Identifier: GPL-2.0-or-later
// The fault sweep.
#include "tests/robustness/fault_sweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <fstream>

namespace brelvo::testing {
namespace {

using platform::FaultKind;
using platform::FaultPlan;
using platform::JournalEntry;

Bytes ApplyJournal(Bytes bytes, const std::vector<JournalEntry>& journal) {
    for (const auto& e : journal) {
        const auto end = static_cast<std::size_t>(e.offset) + e.bytes.size();
        if (end > bytes.size()) bytes.resize(end);
        std::copy(e.bytes.begin(), e.bytes.end(), bytes.begin() + e.offset);
    }
    return bytes;
}

std::vector<std::int64_t> DifferingOffsets(const Bytes& a, const Bytes& b) {
    std::vector<std::int64_t> offsets;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] != b[i]) offsets.push_back(static_cast<std::int64_t>(i));
    }
    return offsets;
}

// The writes of a failed run must be where the clean run began: the same writes in the same
// order, the last one possibly torn (a leading part of the clean run's write).
void ExpectLeadingWrites(const std::vector<JournalEntry>& failed,
                         const std::vector<JournalEntry>& clean) {
    ASSERT_LE(failed.size(), clean.size()) << "the failed run wrote more than the clean run";
    for (std::size_t k = 0; k < failed.size(); ++k) {
        EXPECT_EQ(failed[k].offset, clean[k].offset) << "write " << k;
        const auto& want = clean[k].bytes;
        const auto& got = failed[k].bytes;
        if (k + 1 == failed.size() && got.size() < want.size()) {
            EXPECT_TRUE(std::equal(got.begin(), got.end(), want.begin())) << "torn write " << k;
        } else {
            EXPECT_EQ(got, want) << "write " << k;
        }
    }
}

void CheckMovie(const WriterUnderTest& writer, const Bytes& original, const FaultPlan& plan) {
    const Bytes now = ReadWholeFile(writer.moviePath);
    ASSERT_EQ(now.size(), original.size()) << "the movie changed its length";
    const auto journal = plan.JournalOf(writer.moviePath);
    EXPECT_TRUE(now == ApplyJournal(original, journal))
        << "the movie holds bytes that no write of this run put there";
    EXPECT_TRUE(WithinRegions(DifferingOffsets(original, now), writer.allowed))
        << "a byte outside the edited fields changed";
    for (const auto& entry : journal) {
        EXPECT_TRUE(WithinRegions(
            {entry.offset, entry.offset + static_cast<std::int64_t>(entry.bytes.size()) - 1},
            writer.allowed))
            << "a write at " << entry.offset << " lies outside the edited fields";
    }
}

}  // namespace

std::optional<std::string> Reported(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const std::exception& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

bool WithinRegions(const std::vector<std::int64_t>& offsets, const std::vector<Region>& regions) {
    return std::all_of(offsets.begin(), offsets.end(), [&](std::int64_t at) {
        return std::any_of(regions.begin(), regions.end(), [&](const Region& r) {
            return at >= r.offset && at < r.offset + r.size;
        });
    });
}

void RestoreFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot restore " + path);
}

std::int64_t SweepFaults(const WriterUnderTest& writer) {
    const Bytes original = ReadWholeFile(writer.moviePath);
    std::vector<JournalEntry> clean;
    std::array<std::int64_t, platform::kAllFaultKinds.size()> counts{};
    {
        platform::ScopedFaultInjection injection;
        const auto failure = writer.run();
        EXPECT_FALSE(failure) << writer.name << " failed without an injected fault: " << *failure;
        CheckMovie(writer, original, injection.Plan());
        if (writer.afterRun) writer.afterRun(injection.Plan(), false);
        clean = injection.Plan().JournalOf(writer.moviePath);
        for (const auto kind : platform::kAllFaultKinds) {
            counts[static_cast<std::size_t>(kind)] = injection.Plan().Count(kind);
        }
    }
    for (const auto kind : platform::kAllFaultKinds) {
        for (std::int64_t n = 1; n <= counts[static_cast<std::size_t>(kind)]; ++n) {
            SCOPED_TRACE(writer.name + ", failing " + platform::FaultKindName(kind) + " #" +
                         std::to_string(n));
            RestoreFile(writer.moviePath, original);
            FaultPlan plan(kind, n);
            if (writer.tearWrites) plan.TearWrites();
            platform::ScopedFaultInjection injection(std::move(plan));
            const auto failure = writer.run();
            EXPECT_TRUE(injection.Plan().Fired()) << "the run took another road";
            EXPECT_TRUE(failure) << "the failure was reported as success";
            EXPECT_FALSE(failure && failure->empty()) << "the failure has no message";
            CheckMovie(writer, original, injection.Plan());
            ExpectLeadingWrites(injection.Plan().JournalOf(writer.moviePath), clean);
            if (writer.afterRun) writer.afterRun(injection.Plan(), true);
        }
    }
    RestoreFile(writer.moviePath, original);
    return static_cast<std::int64_t>(clean.size());
}

}  // namespace brelvo::testing
