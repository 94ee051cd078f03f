// SPDX-License-Identifier: GPL-2.0-or-later
// The one write path: a plan is checked whole before its first write, written byte-exactly
// with every field read back, reported old -> new, and a dry run writes nothing.
#include "avi/write_plan.h"

#include <gtest/gtest.h>

#include "avi/field_patch.h"
#include "platform/file_open_hook.h"
#include "platform/little_endian.h"
#include "tests/support/memory_file.h"
#include "tests/support/riff_builder.h"

namespace brelvo::avi {
namespace {

using testing::Bytes;

// Bytes 0, 7, 14, ...
Bytes Numbered(std::size_t size) {
    return testing::Pattern(size, 0);
}

const FieldRef kRate{"strh[0].dwRate", 8, 4};
const FieldRef kName{"INAM[3]", 20, 6};

TEST(ApplyPlan, WritesOnlyThePlannedBytesAndReportsOldAndNew) {
    for (const auto mode : {WriteMode::DryRun, WriteMode::Write}) {
        platform::MemoryFile file(Numbered(32));
        WritePlan plan(32);
        plan.AddInt32(kRate, -2);
        plan.Add(kName, std::string("Title\0", 6));
        const auto report = ApplyPlan(file, plan, mode);

        Bytes expected = Numbered(32);
        if (mode == WriteMode::Write) {
            platform::WriteI32(expected, 8, -2);
            std::copy_n(testing::ToBytes("Title").begin(), 5, expected.begin() + 20);
            expected[25] = std::byte{0};
        }
        EXPECT_EQ(file.Bytes(), expected);
        EXPECT_EQ(report.written, mode == WriteMode::Write);
        EXPECT_EQ(report.bytesWritten, mode == WriteMode::Write ? 10 : 0);
        ASSERT_EQ(report.changes.size(), 2u);
        EXPECT_EQ(report.changes[0].field, kRate);
        EXPECT_EQ(report.changes[0].before, "8?FM");
        EXPECT_EQ(report.changes[0].after, std::string("\xFE\xFF\xFF\xFF", 4));
        EXPECT_EQ(report.changes[1].before, "\x8C\x93\x9A\xA1\xA8\xAF");
        EXPECT_EQ(report.changes[1].after, std::string("Title\0", 6));
    }
}

TEST(ApplyPlan, RefusesTheWholePlanBeforeItsFirstWrite) {
    // Each plan's first field is good: a refusal must come before it is written.
    const struct {
        const char* why;
        FieldRef second;
        std::size_t bytes;
        std::int64_t loadedLength;
    } cases[] = {
        {"unrecorded", FieldRef{"strh[1].dwRate", 0, 0}, 0, 32},
        {"not its width", FieldRef{"avih.dwFlags", 12, 4}, 2, 32},
        {"past the end", FieldRef{"tail", 30, 4}, 4, 32},
        {"another movie", FieldRef{"avih.dwFlags", 12, 4}, 4, 33},
        {"length unknown", FieldRef{"avih.dwFlags", 12, 4}, 4, -1},
    };
    for (const auto& c : cases) {
        platform::MemoryFile file(Numbered(32));
        WritePlan plan(c.loadedLength);
        plan.AddInt32(kRate, 7);
        plan.Add(c.second, std::string(c.bytes, 'x'));
        for (const auto mode : {WriteMode::DryRun, WriteMode::Write}) {
            EXPECT_THROW(ApplyPlan(file, plan, mode), PatchRefused) << c.why;
        }
        EXPECT_EQ(file.Bytes(), Numbered(32)) << c.why;
    }
    // The exit write-back's field starts at the file's first byte, which is a field too.
    platform::MemoryFile file(Numbered(32));
    WritePlan whole(32);
    whole.Add(FieldRef{"the saved header region", 0, 32}, std::string(32, 'h'));
    ApplyPlan(file, whole);
    EXPECT_EQ(file.Bytes(), Bytes(32, std::byte{'h'}));
}

class LosingFile final : public platform::RandomAccessFile {
  public:
    explicit LosingFile(int keptWrites) : kept_(keptWrites) {}
    std::size_t ReadAt(std::int64_t offset, std::span<std::byte> out) override {
        return inner_.ReadAt(offset, out);
    }
    void WriteAt(std::int64_t offset, std::span<const std::byte> data) override {
        if (kept_-- > 0) inner_.WriteAt(offset, data);  // later writes are lost
    }
    std::int64_t Length() override { return inner_.Length(); }
    const std::string& Path() const override { return inner_.Path(); }

  private:
    int kept_;
    platform::MemoryFile inner_{Numbered(32)};
};

TEST(ApplyPlan, ALostWriteIsFoundByTheReadBackAndSaysWhatWasWrittenBefore) {
    LosingFile file(1);
    WritePlan plan(32);
    plan.AddInt32(kRate, 7);
    plan.Add(kName, std::string("Title\0", 6));
    try {
        ApplyPlan(file, plan);
        ADD_FAILURE() << "a lost write was reported as success";
    } catch (const PlanFailed& e) {
        EXPECT_EQ(e.Reason(), "the bytes read back differ");
        EXPECT_EQ(e.BytesWritten(), 4);  // the first field went in whole
    }
}

TEST(ApplyPlan, OnAPathADryRunOpensForReadingAndARefusedFieldOpensNothing) {
    const auto path = testing::WriteTempFile(Numbered(32));
    std::vector<platform::OpenMode> opened;
    const platform::ScopedFileOpenHook watch([&](const std::string&, platform::OpenMode mode,
                                                 std::unique_ptr<platform::RandomAccessFile> file) {
        opened.push_back(mode);
        return file;
    });
    WritePlan plan(32);
    plan.AddInt32(kRate, 7);
    EXPECT_EQ(ApplyPlan(path, plan, WriteMode::DryRun).changes.size(), 1u);
    plan.Add(FieldRef{"unrecorded", 0, 0}, "");
    EXPECT_THROW(ApplyPlan(path, plan), PatchRefused);
    EXPECT_EQ(opened, std::vector<platform::OpenMode>{platform::OpenMode::Read});
    EXPECT_EQ(testing::ReadWholeFile(path), Numbered(32));
}

}  // namespace
}  // namespace brelvo::avi
