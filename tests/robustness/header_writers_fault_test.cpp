// SPDX-License-Identifier: GPL-2.0-or-later
// Every header write, failing at each open, read, write and seek in turn: the load-time
// normalisation with its own reads, and the plans of the edits and the exit write-back. The
// failure is reported, with the bytes of the plan written before it, and the movie holds its
// bytes plus exactly the writes made before it.
#include <gtest/gtest.h>

#include "avi/scan_chunks.h"
#include "editing/audio_delay.h"
#include "editing/codec_tag.h"
#include "editing/frame_rate.h"
#include "info/author_items.h"
#include "tests/robustness/fault_sweep.h"
#include "tests/robustness/robust_movies.h"

namespace brelvo::testing {
namespace {

TEST(HeaderWritersUnderFaults, LoadTimeNormalisation) {
    for (const std::string fixture : {"", "ffmpeg_mpeg4_mp3.avi"}) {  // the latter at dwScale 1001
        const std::string path =
            fixture.empty() ? WriteTempFile(EditableMovie()) : CopyFixture(fixture);
        WriterUnderTest writer{"load " + fixture, path,
                               [&] { return Reported([&] { LoadAsTheWindowDoes(path); }); },
                               NormaliseRegions(DecodeOnly(path))};
        // dwScale, dwRate, and the JUNK payload of the built movie
        EXPECT_GE(SweepFaults(writer).writesInFullRun, fixture.empty() ? 3 : 2);
    }
}

// Every edit of the window in one plan, then the exit write-back over it: a failure part-way
// says how many of the plan's bytes reached the file before it.
TEST(HeaderWritersUnderFaults, EditPlansAndTheExitWriteBack) {
    const std::string path = WriteTempFile(EditableMovie());
    const auto loaded = LoadAsTheWindowDoes(path);
    avi::HeaderEdit edit(loaded.record);
    editing::AddCodecTag(edit, editing::CodecTarget::Handler, "xvid");
    editing::AddCodecTag(edit, editing::CodecTarget::Compression, "xvid");
    editing::AddFrameRate(edit, 240000);
    editing::AddAudioDelay(edit, 1000);
    info::AddAuthorItems(edit, {{"INAM", "A new name"}, {"DISP", "Shown"}});
    ASSERT_EQ(edit.plan.writes.size(), 7u);
    std::vector<Region> fields;
    for (const auto& w : edit.plan.writes) fields.push_back(RegionOf(w.field));

    std::optional<std::int64_t> reportedBytes;
    const auto run = [&](const avi::WritePlan& plan) {
        return [&] {
            reportedBytes.reset();
            try {
                avi::ApplyPlan(path, plan);
            } catch (const avi::PlanFailed& e) {
                reportedBytes = e.BytesWritten();
                return std::optional<std::string>(e.what());
            } catch (const std::exception& e) {
                return std::optional<std::string>(e.what());
            }
            return std::optional<std::string>();
        };
    };
    const auto checkReportedBytes = [&](const platform::FaultPlan& plan, bool failed) {
        if (!failed || !reportedBytes) return;
        std::int64_t reached = 0, last = 0;
        for (const auto& entry : plan.JournalOf(path)) {
            last = static_cast<std::int64_t>(entry.bytes.size());
            reached += last;
        }
        // The failing field's write may have reached the file before its read-back failed.
        EXPECT_TRUE(*reportedBytes == reached || *reportedBytes == reached - last)
            << *reportedBytes << " reported, " << reached << " written";
    };
    WriterUnderTest edits{"the window's edits", path, run(edit.plan), fields};
    edits.afterRun = checkReportedBytes;
    EXPECT_EQ(SweepFaults(edits).writesInFullRun, 7);

    avi::ApplyPlan(path, edit.plan);
    const auto restore = avi::HeaderRestorePlan(loaded.headerBackup, loaded.record.loadedLength);
    WriterUnderTest writeBack{"exit write-back", path, run(restore), {{0, 8192}}};
    writeBack.afterRun = checkReportedBytes;
    EXPECT_EQ(SweepFaults(writeBack).writesInFullRun, 1);
    // A clean write-back restores the movie as it was before the load.
    avi::ApplyPlan(path, restore);
    EXPECT_EQ(ReadWholeFile(path), EditableMovie());
}

}  // namespace
}  // namespace brelvo::testing
