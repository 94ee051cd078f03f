// SPDX-License-Identifier: GPL-2.0-or-later
// Frame and sample counts against the chunks the movi lists hold, and the stream count
// against the stream lists.
#include <algorithm>
#include <set>

#include "repair/checks.h"

namespace brelvo::repair {
namespace {

StreamChunks ChunksOf(const MovieStructure& s, int stream) {
    const auto found = s.streams.find(stream);
    return found == s.streams.end() ? StreamChunks{} : found->second;
}

std::string FramesText(std::int64_t frames, int stream, std::string_view where) {
    return std::string(where) + " " + std::to_string(frames) + " whole frames of stream " +
           std::to_string(stream);
}

}  // namespace

void CheckCounts(const CheckInput& in, std::vector<Finding>& out) {
    const auto& record = in.record;
    const auto& s = in.structure;
    const auto* main = record.LastMainHeader();
    if (main != nullptr && s.streamLists > 0 && main->streams != s.streamLists) {
        if (const auto v = Recorded(record, "avih.dwStreams", Stored(main->streams))) {
            out.push_back(
                Mismatch(Code::StreamCountMismatch, *v, s.streamLists,
                         "the header list holds " + std::to_string(s.streamLists) + " stream lists",
                         s.headerListWhole));
        }
    }
    if (s.moviLists.empty()) return;
    // Counts taken from a movi list the walk could not follow whole are no ground to write.
    const bool sure = s.moviWalkedWhole;
    std::set<int> parts;
    for (const auto& m : s.moviLists) parts.insert(m.part);

    std::int64_t firstPart = -1, total = -1;
    int counted = 0;
    for (const auto& stream : record.streams) {
        const StreamChunks chunks = ChunksOf(s, stream.index);
        const auto& h = stream.header;
        if (stream.IsVideo()) {
            if (chunks.firstPartChunks > firstPart) firstPart = chunks.firstPartChunks;
            if (chunks.chunks > total) {
                total = chunks.chunks;
                counted = stream.index;
            }
            if (Stored(h.length) != chunks.chunks) {
                if (const auto v = Recorded(record, StreamField("strh", stream.index, "dwLength"),
                                            Stored(h.length))) {
                    out.push_back(Mismatch(
                        Code::VideoLengthMismatch, *v, chunks.chunks,
                        FramesText(chunks.chunks, stream.index, "the movi lists hold"), sure));
                }
            }
        } else if (stream.IsAudio()) {
            const std::int64_t blocks =
                h.sampleSize > 0 ? chunks.bytes / h.sampleSize : chunks.chunks;
            if (Stored(h.length) != blocks) {
                if (const auto v = Recorded(record, StreamField("strh", stream.index, "dwLength"),
                                            Stored(h.length))) {
                    out.push_back(Mismatch(
                        Code::AudioLengthMismatch, *v, blocks,
                        "the movi lists hold " + std::to_string(chunks.bytes) + " bytes in " +
                            std::to_string(chunks.chunks) + " whole chunks of stream " +
                            std::to_string(stream.index) +
                            (h.sampleSize > 0
                                 ? ", " + std::to_string(blocks) + " blocks of dwSampleSize " +
                                       std::to_string(h.sampleSize)
                                 : ""),
                        sure));
                }
            }
        }
    }
    if (total < 0) return;  // no video stream
    // The main header counts the first RIFF part's frames; some writers of several parts put
    // the whole movie's count there, which players read as meant.
    const std::uint32_t avihFrames = main != nullptr ? Stored(main->totalFrames) : 0;
    if (main != nullptr && avihFrames != firstPart && !(parts.size() > 1 && avihFrames == total)) {
        if (const auto v = Recorded(record, "avih.dwTotalFrames", avihFrames)) {
            out.push_back(
                Mismatch(Code::TotalFramesMismatch, *v, firstPart,
                         FramesText(firstPart, counted,
                                    parts.size() > 1 ? "the first RIFF part's movi list holds"
                                                     : "the movi list holds"),
                         sure));
        }
    }
    if (s.odmlTotalFrames && s.odmlTotalFrames->holds != total) {
        out.push_back(Mismatch(Code::OdmlTotalFramesMismatch, *s.odmlTotalFrames, total,
                               FramesText(total, counted, "the movi lists of all RIFF parts hold"),
                               sure));
    }
}

}  // namespace brelvo::repair
