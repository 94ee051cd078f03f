// SPDX-License-Identifier: GPL-2.0-or-later
// The fault-injecting file layer.
#include "tests/support/fault_injection.h"

#include <algorithm>
#include <iterator>

#include "platform/io_error.h"

namespace brelvo::platform {
namespace {

class FaultInjectingFile final : public RandomAccessFile {
  public:
    FaultInjectingFile(std::unique_ptr<RandomAccessFile> inner, std::shared_ptr<FaultPlan> plan)
        : inner_(std::move(inner)), plan_(std::move(plan)) {}

    std::size_t ReadAt(std::int64_t offset, std::span<std::byte> out) override {
        if (plan_->Step(FaultKind::Seek)) Fail(FileOp::Seek);
        if (plan_->Step(FaultKind::Read)) Fail(FileOp::Read);
        return inner_->ReadAt(offset, out);
    }

    void WriteAt(std::int64_t offset, std::span<const std::byte> data) override {
        if (plan_->Step(FaultKind::Seek)) Fail(FileOp::Seek);
        if (plan_->Step(FaultKind::Write)) {
            if (plan_->TearsWrites() && data.size() > 1) {
                const auto half = data.first(data.size() / 2);
                inner_->WriteAt(offset, half);
                Journal(offset, half);
            }
            Fail(FileOp::Write);
        }
        inner_->WriteAt(offset, data);
        Journal(offset, data);
    }

    std::int64_t Length() override {
        if (plan_->Step(FaultKind::Seek)) Fail(FileOp::Length);
        return inner_->Length();
    }

    const std::string& Path() const override { return inner_->Path(); }

  private:
    [[noreturn]] void Fail(FileOp op) const { throw IoError(op, Path(), plan_->Reason()); }

    void Journal(std::int64_t offset, std::span<const std::byte> bytes) {
        plan_->Record(JournalEntry{Path(), offset, {bytes.begin(), bytes.end()}});
    }

    std::unique_ptr<RandomAccessFile> inner_;
    std::shared_ptr<FaultPlan> plan_;
};

}  // namespace

const char* FaultKindName(FaultKind kind) {
    return std::array{"open", "read", "write", "seek"}[static_cast<std::size_t>(kind)];
}

FaultPlan::FaultPlan(FaultKind kind, std::int64_t n) : failKind_(kind), failAt_(n) {}

std::vector<JournalEntry> FaultPlan::JournalOf(const std::string& path) const {
    std::vector<JournalEntry> entries;
    std::copy_if(journal_.begin(), journal_.end(), std::back_inserter(entries),
                 [&](const JournalEntry& e) { return e.path == path; });
    return entries;
}

bool FaultPlan::Step(FaultKind kind) {
    const bool fails = ++counts_[static_cast<std::size_t>(kind)] == failAt_ && failKind_ == kind;
    fired_ = fired_ || fails;
    return fails;
}

std::unique_ptr<RandomAccessFile> WithFaults(std::unique_ptr<RandomAccessFile> file,
                                             std::shared_ptr<FaultPlan> plan) {
    return std::make_unique<FaultInjectingFile>(std::move(file), std::move(plan));
}

ScopedFaultInjection::ScopedFaultInjection(FaultPlan plan)
    : plan_(std::make_shared<FaultPlan>(std::move(plan))),
      hook_([plan = plan_](
                const std::string& path, OpenMode mode,
                std::unique_ptr<RandomAccessFile> opened) -> std::unique_ptr<RandomAccessFile> {
          if (!plan->Watches(path)) return opened;
          if (plan->Step(FaultKind::Open)) {
              opened.reset();  // what the system opened is closed again, as after a refusal
              throw IoError(mode == OpenMode::CreateTruncate ? FileOp::Create : FileOp::Open, path,
                            plan->Reason());
          }
          return WithFaults(std::move(opened), plan);
      }) {}

}  // namespace brelvo::platform
