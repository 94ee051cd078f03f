// SPDX-License-Identifier: GPL-2.0-or-later
// The sweep itself must catch the faults it exists for: a writer that swallows a failure, and
// one that writes where it should not.
#include "tests/robustness/fault_sweep.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "editing/codec_tag.h"
#include "tests/robustness/robust_movies.h"

namespace brelvo::testing {
namespace {

// True when running the sweep reported at least one failure whose text holds `what`.
bool SweepReports(const WriterUnderTest& writer, const std::string& what) {
    ::testing::TestPartResultArray results;
    {
        const ::testing::ScopedFakeTestPartResultReporter intercept(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        SweepFaults(writer);
    }
    for (int k = 0; k < results.size(); ++k) {
        if (std::string(results.GetTestPartResult(k).message()).find(what) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// The plan that writes "xvid" over the handler code.
avi::WritePlan HandlerPlan(const avi::HeaderRecord& record) {
    avi::HeaderEdit edit(record);
    editing::AddCodecTag(edit, editing::CodecTarget::Handler, "xvid");
    return edit.plan;
}

TEST(FaultSweep, CatchesAWriterThatSwallowsItsFailure) {
    const std::string path = WriteTempFile(EditableMovie());
    const auto loaded = DecodeOnly(path);
    const auto field = loaded.record.VideoStream()->handlerField;
    WriterUnderTest quiet{"quiet",
                          path,
                          [&]() -> std::optional<std::string> {
                              try {
                                  avi::ApplyPlan(path, HandlerPlan(loaded.record));
                              } catch (const std::exception&) {  // the fault under test
                              }
                              return std::nullopt;
                          },
                          {RegionOf(field)}};
    EXPECT_TRUE(SweepReports(quiet, "reported as success"));
}

TEST(FaultSweep, CatchesAWriteOutsideTheEditedFields) {
    const std::string path = WriteTempFile(EditableMovie());
    const auto loaded = DecodeOnly(path);
    const auto compression = loaded.record.VideoStream()->video->compressionField;
    WriterUnderTest stray{
        "stray",
        path,
        [&] { return Reported([&] { avi::ApplyPlan(path, HandlerPlan(loaded.record)); }); },
        {RegionOf(compression)}};
    EXPECT_TRUE(SweepReports(stray, "outside the edited fields"));
}

}  // namespace
}  // namespace brelvo::testing
