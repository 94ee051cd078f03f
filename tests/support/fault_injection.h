// SPDX-License-Identifier: GPL-2.0-or-later
// Fault injection for tests: a file wrapper and a plan that make the file layer fail at the
// n-th open, read, write or seek, count every such operation, and keep a journal of the bytes
// that did reach a file, so a test can say exactly what a failed writer left behind.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_open_hook.h"
#include "platform/random_access_file.h"

namespace brelvo::platform {

// Every positioned access (ReadAt, WriteAt) first positions the file, and Length() positions
// it at the end: each of those counts as one Seek, before the Read or Write it leads to.
enum class FaultKind { Open, Read, Write, Seek };
inline constexpr std::array<FaultKind, 4> kAllFaultKinds = {FaultKind::Open, FaultKind::Read,
                                                            FaultKind::Write, FaultKind::Seek};
const char* FaultKindName(FaultKind kind);

// One write that reached the file (for a torn write: the part that did).
struct JournalEntry {
    std::string path;
    std::int64_t offset = 0;
    std::vector<std::byte> bytes;
};

class FaultPlan {
  public:
    // Counts and journals, never fails.
    FaultPlan() = default;
    // Fails the n-th operation of the kind (1-based), and only that one.
    FaultPlan(FaultKind kind, std::int64_t n);

    // A failing write first stores the leading half of its bytes, as a full disk does.
    FaultPlan& TearWrites();
    // Only files whose path satisfies the filter are counted and may fail; others pass through.
    FaultPlan& Watching(std::function<bool(const std::string& path)> filter);

    bool Watches(const std::string& path) const;
    std::int64_t Count(FaultKind kind) const;
    bool Fired() const { return fired_; }
    const std::vector<JournalEntry>& Journal() const { return journal_; }
    // The journal's entries for one path, in order.
    std::vector<JournalEntry> JournalOf(const std::string& path) const;

    // Counts one operation; true when it is the one that must fail.
    bool Step(FaultKind kind);
    bool TearsWrites() const { return tear_; }
    const std::string& Reason() const { return reason_; }
    void Record(JournalEntry entry) { journal_.push_back(std::move(entry)); }

  private:
    std::optional<FaultKind> failKind_;
    std::int64_t failAt_ = 0;
    bool tear_ = false;
    std::string reason_ = "Input/output error (injected)";
    std::function<bool(const std::string&)> filter_;
    std::array<std::int64_t, 4> counts_{};
    bool fired_ = false;
    std::vector<JournalEntry> journal_;
};

// Wraps a file so that each operation on it is counted by the plan (and may fail).
std::unique_ptr<RandomAccessFile> WithFaults(std::unique_ptr<RandomAccessFile> file,
                                             std::shared_ptr<FaultPlan> plan);

// While alive, every file OpenFile opens goes through the plan; an open that the plan fails
// throws IoError(Open, or Create for a new file) after closing what the system opened.
class ScopedFaultInjection {
  public:
    explicit ScopedFaultInjection(FaultPlan plan = {});
    ScopedFaultInjection(const ScopedFaultInjection&) = delete;
    ScopedFaultInjection& operator=(const ScopedFaultInjection&) = delete;

    FaultPlan& Plan() { return *plan_; }

  private:
    std::shared_ptr<FaultPlan> plan_;
    ScopedFileOpenHook hook_;
};

}  // namespace brelvo::platform
