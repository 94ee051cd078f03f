// SPDX-License-Identifier: GPL-2.0-or-later
// Harness body: any bytes as a movie, through the whole load and every header edit, and
// through the diagnosis and its mending.
#include <algorithm>
#include <functional>
#include <map>
#include <optional>

#include "avi/author_item_table.h"
#include "avi/chunk_ids.h"
#include "avi/decode_headers.h"
#include "avi/key_frames.h"
#include "avi/load_display.h"
#include "avi/normalise_on_load.h"
#include "avi/opendml_index.h"
#include "avi/scan_chunks.h"
#include "editing/audio_delay.h"
#include "editing/codec_tag.h"
#include "editing/frame_rate.h"
#include "fuzz/fuzz_checks.h"
#include "fuzz/fuzz_targets.h"
#include "info/author_items.h"
#include "repair/mend.h"
#include "tests/support/memory_file.h"

namespace brelvo::fuzz {
namespace {

std::vector<ByteRegion> NormaliseRegions(const avi::HeaderRecord& record,
                                         const avi::ChunkMap& chunkMap) {
    std::vector<ByteRegion> regions;
    for (const auto& s : record.streams) {
        if (!s.IsVideo()) continue;
        regions.push_back(RegionOfField(s.scaleField));
        regions.push_back(RegionOfField(s.rateField));
    }
    for (const auto& row : chunkMap) {
        if (row.id == avi::kIdJunk && row.size > 0) regions.push_back({row.DataOffset(), row.size});
    }
    return regions;
}

// Plans the edit on the record and applies it to the file.
void Apply(WatchedFile& watched, const avi::HeaderRecord& record,
           const std::function<void(avi::HeaderEdit&)>& plan) {
    avi::HeaderEdit edit(record);
    plan(edit);
    avi::ApplyPlan(watched.File(), edit.plan);
}

void EditHeaders(WatchedFile& watched, const avi::ChunkMap& chunkMap,
                 const avi::HeaderRecord& record) {
    for (const auto target : {editing::CodecTarget::Handler, editing::CodecTarget::Compression}) {
        const std::int64_t offset = target == editing::CodecTarget::Handler
                                        ? record.videoHandlerOffset
                                        : record.videoCompressionOffset;
        Refusable([&] {
            RequireConfinedWrites(
                watched, {{offset, 4}}, "a codec edit",
                [&] {
                    Apply(watched, record,
                          [&](auto& edit) { editing::AddCodecTag(edit, target, "xvid"); });
                },
                true);
        });
    }
    std::vector<ByteRegion> rateRegions = {{record.microSecOffset, 4}};
    for (const auto& s : record.streams) {
        rateRegions.push_back(RegionOfField(s.rateField));
        rateRegions.push_back(RegionOfField(s.scaleField));
    }
    for (const auto scale : {std::optional<std::int32_t>{}, std::optional<std::int32_t>{1001}}) {
        Refusable([&] {
            RequireConfinedWrites(
                watched, rateRegions, "a frame-rate edit",
                [&] {
                    Apply(watched, record,
                          [&](auto& edit) { editing::AddFrameRate(edit, 240000, scale); });
                },
                true);
        });
    }
    Refusable([&] {
        RequireConfinedWrites(
            watched, {{record.audioStartOffset, 4}}, "the audio delay edit",
            [&] { Apply(watched, record, [](auto& edit) { editing::AddAudioDelay(edit, 1000); }); },
            true);
    });
    std::vector<ByteRegion> itemRegions;
    std::map<std::string, std::string> texts;
    for (const auto& row : chunkMap) {
        if (avi::FindAuthorItem(row.id) == nullptr || row.size <= 0) continue;
        itemRegions.push_back({row.DataOffset(), row.size});
        texts[row.id] = "Fuzz \xC3\xA9 text";
    }
    Refusable([&] {
        RequireConfinedWrites(
            watched, itemRegions, "the author details edit",
            [&] { Apply(watched, record, [&](auto& edit) { info::AddAuthorItems(edit, texts); }); },
            true);
    });
}

// The diagnosis writes nothing; the repair writes only the fields it reports, and leaves
// nothing a further diagnosis would mend.
void DiagnoseAndMend(std::span<const std::byte> data) {
    WatchedFile watched({data.begin(), data.end()});
    auto& file = watched.File();
    if (!Refusable([&] { repair::Diagnose(file); })) return;
    Require(watched.Journal().empty(), "the diagnosis wrote into the file");
    repair::RepairOutcome outcome;
    const bool repaired = Refusable([&] { outcome = repair::Repair(file); });
    std::vector<ByteRegion> regions;
    for (const auto& c : outcome.changes) regions.push_back(RegionOfField(c.field));
    RequireWritesWithin(watched, regions, "the repair");
    if (!repaired) return;
    Refusable([&] {
        for (const auto& f : repair::Diagnose(file).findings) {
            Require(!f.mendable, "the repair left " + std::string(repair::FindingName(f.code)) +
                                     " to mend: " + f.detail);
        }
    });
}

}  // namespace

void FuzzAviLoad(std::span<const std::byte> data) {
    DiagnoseAndMend(data);
    WatchedFile watched({data.begin(), data.end()});
    auto& file = watched.File();
    avi::ScanResult scan;
    if (!Refusable([&] { scan = avi::ScanChunks(file); })) return;
    const auto backupSize = std::min<std::size_t>(data.size(), avi::kHeaderBackupSize);
    Require(std::equal(scan.headerBackup.begin(), scan.headerBackup.end(), data.begin()) &&
                scan.headerBackup.size() == backupSize,
            "the header backup is not the file's first bytes");
    for (const auto& row : scan.chunkMap) {
        // An id in the last four bytes has its size field just past the end.
        Require(row.position >= 5 && row.position <= static_cast<std::int64_t>(data.size()) + 1,
                "a ChunkMap row lies outside the file");
    }

    avi::HeaderRecord record;
    if (!Refusable([&] { record = avi::DecodeHeaders(file, scan.chunkMap); })) return;
    Require(watched.Journal().empty(), "decoding wrote into the file");
    const auto regions = NormaliseRegions(record, scan.chunkMap);
    bool normalised = false;
    Refusable([&] {
        RequireConfinedWrites(
            watched, regions, "loading",
            [&] {
                record = avi::NormaliseOnLoad(file, scan.chunkMap, record);
                normalised = true;
            },
            false);
    });
    if (!normalised) return;

    Refusable([&] {
        avi::InformationTabLines(record, scan.chunkMap, "C:\\clips\\fuzz.avi", file.Length());
    });
    if (record.idx1Row && record.VideoStream()) {
        Refusable([&] {
            const auto count = avi::CountKeyFrames(file, scan.chunkMap.at(*record.idx1Row),
                                                   record.VideoStream()->index);
            Require(count.keyFrames >= 0 && count.keyFrames <= count.entriesRead,
                    "more key frames than index entries");
            avi::KeyFrameCaption(record.totalFrames, count.keyFrames);
        });
    }
    // The OpenDML indexes: a super index may point anywhere, claim any number of entries.
    if (const auto* video = record.VideoStream()) {
        Refusable([&] {
            if (const auto odml = avi::CountOdmlIndex(file, scan.chunkMap, video->strhRow)) {
                Require(odml->keyFrames >= 0 && odml->keyFrames <= odml->entries,
                        "more key frames than OpenDML index entries");
                Require(odml->entries * 8 <= file.Length(),
                        "the OpenDML indexes counted more entries than the file can hold");
            }
            avi::MovieKeyFrameCaption(avi::CountMovieKeyFrames(file, scan.chunkMap, record));
        });
    }
    EditHeaders(watched, scan.chunkMap, record);
}

}  // namespace brelvo::fuzz
