// SPDX-License-Identifier: GPL-2.0-or-later
// The fault sweep.
#include "tests/robustness/fault_sweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>

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

// The writes of a failed run must be where the clean run began: the same writes in the same
// order, the last one possibly torn (a leading part of the clean run's write).
void ExpectLeadingWrites(const std::vector<JournalEntry>& failed,
                         const std::vector<JournalEntry>& clean) {
    ASSERT_LE(failed.size(), clean.size()) << "the failed run wrote more than the clean run";
    for (std::size_t k = 0; k < failed.size(); ++k) {
        const auto& want = clean[k].bytes;
        const auto& got = failed[k].bytes;
        EXPECT_EQ(failed[k].offset, clean[k].offset) << "write " << k;
        EXPECT_TRUE(k + 1 == failed.size() && got.size() < want.size()
                        ? std::equal(got.begin(), got.end(), want.begin())
                        : got == want)
            << "write " << k;
    }
}

void CheckMovie(const WriterUnderTest& writer, const Bytes& original, const FaultPlan& plan) {
    const Bytes now = ReadWholeFile(writer.moviePath);
    ASSERT_EQ(now.size(), original.size()) << "the movie changed its length";
    EXPECT_TRUE(now == ApplyJournal(original, plan.JournalOf(writer.moviePath)))
        << "the movie holds bytes that no write of this run put there";
    EXPECT_TRUE(WritesWithin(plan, writer.moviePath, writer.allowed))
        << "a write lies outside the edited fields";
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

bool WritesWithin(const platform::FaultPlan& plan, const std::string& path,
                  const std::vector<Region>& regions) {
    const auto journal = plan.JournalOf(path);
    return std::all_of(journal.begin(), journal.end(), [&](const JournalEntry& w) {
        const auto end = w.offset + static_cast<std::int64_t>(w.bytes.size());
        return std::any_of(regions.begin(), regions.end(), [&](const Region& r) {
            return w.offset >= r.offset && end <= r.offset + r.size;
        });
    });
}

std::int64_t SweepFaults(const WriterUnderTest& writer) {
    const Bytes original = ReadWholeFile(writer.moviePath);
    std::vector<JournalEntry> clean;
    std::vector<std::pair<FaultKind, std::int64_t>> steps;
    {
        platform::ScopedFaultInjection injection;
        const auto failure = writer.run();
        EXPECT_FALSE(failure) << writer.name << " failed without an injected fault: " << *failure;
        CheckMovie(writer, original, injection.Plan());
        if (writer.afterRun) writer.afterRun(injection.Plan(), false);
        clean = injection.Plan().JournalOf(writer.moviePath);
        for (const auto kind : platform::kAllFaultKinds) {
            for (std::int64_t n = 1; n <= injection.Plan().Count(kind); ++n)
                steps.emplace_back(kind, n);
        }
    }
    for (const auto& [kind, n] : steps) {
        SCOPED_TRACE(writer.name + ", failing " + platform::FaultKindName(kind) + " #" +
                     std::to_string(n));
        WriteFile(writer.moviePath, original);
        FaultPlan plan(kind, n);
        if (writer.tearWrites) plan.TearWrites();
        platform::ScopedFaultInjection injection(std::move(plan));
        const auto failure = writer.run();
        EXPECT_TRUE(injection.Plan().Fired()) << "the run took another road";
        EXPECT_TRUE(failure && !failure->empty()) << "the failure was reported as success";
        CheckMovie(writer, original, injection.Plan());
        ExpectLeadingWrites(injection.Plan().JournalOf(writer.moviePath), clean);
        if (writer.afterRun) writer.afterRun(injection.Plan(), true);
    }
    WriteFile(writer.moviePath, original);
    return static_cast<std::int64_t>(clean.size());
}

}  // namespace brelvo::testing
