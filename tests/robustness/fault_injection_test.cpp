// SPDX-License-Identifier: GPL-2.0-or-later
// The fault-injecting file layer itself: it counts what it should, fails exactly the
// operation asked for, and journals what reached the file.
#include "tests/support/fault_injection.h"

#include <gtest/gtest.h>

#include "platform/io_error.h"
#include "tests/support/memory_file.h"
#include "tests/support/riff_builder.h"

namespace brelvo::platform {
namespace {

using testing::Bytes;

std::unique_ptr<RandomAccessFile> Wrapped(std::shared_ptr<FaultPlan> plan) {
    return WithFaults(std::make_unique<MemoryFile>(Bytes(16, std::byte{'a'})), std::move(plan));
}

TEST(FaultInjection, CountsEveryPositionedAccessAsASeek) {
    auto plan = std::make_shared<FaultPlan>();
    auto file = Wrapped(plan);
    std::array<std::byte, 4> buffer{};
    file->ReadAt(0, buffer);
    file->WriteAt(2, buffer);
    file->Length();
    EXPECT_EQ(plan->Count(FaultKind::Read), 1);
    EXPECT_EQ(plan->Count(FaultKind::Write), 1);
    EXPECT_EQ(plan->Count(FaultKind::Seek), 3);
    ASSERT_EQ(plan->Journal().size(), 1u);
    EXPECT_EQ(plan->Journal()[0].offset, 2);
}

TEST(FaultInjection, FailsOnlyTheChosenOperation) {
    auto plan = std::make_shared<FaultPlan>(FaultKind::Write, 2);
    auto file = Wrapped(plan);
    const Bytes two(2, std::byte{'b'});
    file->WriteAt(0, two);
    try {
        file->WriteAt(4, two);
        FAIL() << "the second write did not fail";
    } catch (const IoError& e) {
        EXPECT_EQ(e.Op(), FileOp::Write);
        EXPECT_EQ(e.Path(), "memory.avi");
    }
    file->WriteAt(8, two);
    EXPECT_TRUE(plan->Fired());
    EXPECT_EQ(plan->Journal().size(), 2u);  // the failed write left nothing
}

TEST(FaultInjection, TornWriteStoresItsLeadingHalf) {
    auto plan = std::make_shared<FaultPlan>(FaultKind::Write, 1);
    plan->TearWrites();
    auto inner = std::make_unique<MemoryFile>(Bytes(8, std::byte{'a'}));
    const MemoryFile& memory = *inner;
    auto file = WithFaults(std::move(inner), plan);
    EXPECT_THROW(file->WriteAt(0, Bytes(4, std::byte{'z'})), IoError);
    EXPECT_EQ(memory.Bytes(), testing::ToBytes("zzaaaaaa"));
    ASSERT_EQ(plan->Journal().size(), 1u);
    EXPECT_EQ(plan->Journal()[0].bytes.size(), 2u);
}

TEST(FaultInjection, FailsTheNthOpenThroughTheFileLayer) {
    const auto path = testing::WriteTempFile(Bytes(4, std::byte{'a'}), "open.avi");
    ScopedFaultInjection injection(FaultPlan(FaultKind::Open, 2));
    EXPECT_NO_THROW(OpenFile(path, OpenMode::Read));
    try {
        OpenFile(path, OpenMode::ReadWrite);
        FAIL() << "the second open did not fail";
    } catch (const IoError& e) {
        EXPECT_EQ(e.Op(), FileOp::Open);
    }
    EXPECT_EQ(injection.Plan().Count(FaultKind::Open), 2);
}

TEST(FaultInjection, LeavesFilesOutsideItsFilterAlone) {
    const auto path = testing::WriteTempFile(Bytes(4, std::byte{'a'}), "other.avi");
    ScopedFaultInjection injection(FaultPlan(FaultKind::Open, 1).Watching([](const std::string& p) {
        return p.ends_with(".wav");
    }));
    EXPECT_NO_THROW(OpenFile(path, OpenMode::Read));
    EXPECT_EQ(injection.Plan().Count(FaultKind::Open), 0);
}

}  // namespace
}  // namespace brelvo::platform
