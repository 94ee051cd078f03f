// SPDX-License-Identifier: GPL-2.0-or-later
// The idx1 index against the movi list: entries that point astray, streams it leaves out,
// a first frame without the key-frame flag, and an index the main header promises in vain.
#include "repair/checks.h"

namespace brelvo::repair {
namespace {

constexpr std::uint32_t kHasIndex = 0x10;  // AVIF_HASINDEX in avih.dwFlags
constexpr std::uint32_t kKeyFrame = 0x10;  // AVIIF_KEYFRAME in an idx1 entry

void EntryFaultFinding(Code code, const EntryFaults& faults, std::vector<Finding>& out) {
    if (faults.count == 0) return;
    out.push_back({code,
                   faults.firstOffset,
                   {},
                   std::to_string(faults.count) + " entries; the first: " + faults.first,
                   false});
}

}  // namespace

// Each OpenDML index against its stream's chunks in the movi lists of every RIFF part.
void CheckOdmlIndexes(const CheckInput& in, std::vector<Finding>& out) {
    for (const auto& stream : in.record.streams) {
        const auto odml = in.odml.find(stream.index);
        if (odml == in.odml.end()) continue;
        const auto& count = odml->second;
        const auto found = in.structure.streams.find(stream.index);
        const std::int64_t chunks = found == in.structure.streams.end() ? 0 : found->second.chunks;
        if (count.entries >= chunks && count.damage.empty()) continue;
        out.push_back({Code::IndexIncomplete,
                       stream.handlerField.offset,
                       {},
                       "the OpenDML index of stream " + std::to_string(stream.index) + " lists " +
                           std::to_string(count.entries) + " of its " + std::to_string(chunks) +
                           " chunks in the movi lists" +
                           (count.damage.empty() ? "" : "; " + count.damage),
                       false});
    }
}

void CheckIndex(const CheckInput& in, std::vector<Finding>& out) {
    CheckOdmlIndexes(in, out);
    const auto& s = in.structure;
    const auto* main = in.record.LastMainHeader();
    if (in.index == nullptr) {
        const auto flags = main != nullptr ? static_cast<std::uint32_t>(main->flags) : 0;
        if ((flags & kHasIndex) == 0 || s.superIndex || s.moviLists.empty()) return;
        if (auto v = Recorded(in.record, "avih.dwFlags", flags)) {
            out.push_back({Code::IndexMissing,
                           v->field.offset,
                           {*v},
                           "avih.dwFlags says the movie has an index, and it has neither idx1 "
                           "nor an OpenDML index",
                           false});
        }
        return;
    }
    const auto& index = *in.index;
    EntryFaultFinding(Code::IndexEntryOutsideMovi, index.outsideMovi, out);
    EntryFaultFinding(Code::IndexEntryWrongChunk, index.wrongChunk, out);

    std::string missing;
    for (const auto& [stream, chunks] : s.streams) {
        const auto listed = index.entries.contains(stream) ? index.entries.at(stream) : 0;
        if (listed >= chunks.firstPartChunks) continue;
        missing += (missing.empty() ? "" : ", ") + std::to_string(listed) + " of the " +
                   std::to_string(chunks.firstPartChunks) + " chunks of stream " +
                   std::to_string(stream);
    }
    if (!missing.empty()) {
        out.push_back({Code::IndexIncomplete,
                       s.idx1->dataOffset - 8,
                       {},
                       "idx1 lists " + missing + " in the first RIFF part's movi list",
                       false});
    }

    for (const auto& stream : in.record.streams) {
        if (!stream.IsVideo()) continue;
        const auto first = index.firstFlags.find(stream.index);
        if (first == index.firstFlags.end() || (first->second.holds & kKeyFrame) != 0) continue;
        out.push_back(
            Mismatch(Code::FirstFrameNotKey, first->second, first->second.holds | kKeyFrame,
                     "the first index entry of video stream " + std::to_string(stream.index) +
                         " lacks the key-frame flag (0x10)"));
    }
}

}  // namespace brelvo::repair
