// SPDX-License-Identifier: GPL-2.0-or-later
// The table of finding codes: name, severity and what each means for a player, in one place.
#include "repair/finding.h"

#include <array>

namespace brelvo::repair {
namespace {

struct CodeRow {
    Code code;
    std::string_view name;
    Severity severity;
    std::string_view impact;
};

constexpr std::array kCodes = {
    CodeRow{Code::RiffSizePastEnd, "riff-size-past-end", Severity::Fault,
            "players expect more than the file holds: a wrong length, no seeking, an error at "
            "the end"},
    CodeRow{Code::RiffSizeShort, "riff-size-short", Severity::Fault,
            "players stop where the RIFF list ends and miss what follows it"},
    CodeRow{Code::ListSizePastEnd, "list-size-past-end", Severity::Fault,
            "the list claims bytes beyond its parent: players read past the end or refuse the "
            "file"},
    CodeRow{Code::MoviSizeShort, "movi-size-short", Severity::Fault,
            "frames after the declared end of the movi list are not played"},
    CodeRow{Code::IndexSizePastEnd, "index-size-past-end", Severity::Fault,
            "the index claims entries beyond the end of the file: players may drop it and not "
            "seek"},
    CodeRow{Code::ChunkCutShort, "chunk-cut-short", Severity::Fault,
            "the end of the file cuts this chunk: its frame or header is incomplete"},
    CodeRow{Code::WalkGarbage, "walk-garbage", Severity::Fault,
            "bytes that belong to no chunk: players walking the file lose their place there"},
    CodeRow{Code::PadByteMissing, "pad-byte-missing", Severity::Fault,
            "a chunk of odd size lacks its pad byte: strict players lose their place after it"},
    CodeRow{Code::NoMoviList, "no-movi-list", Severity::Fault,
            "the file holds no stream data: there is nothing to play"},
    CodeRow{Code::HeadersUnreadable, "headers-unreadable", Severity::Fault,
            "the stream headers cannot be read whole: players refuse the file"},
    CodeRow{Code::TotalFramesMismatch, "total-frames-mismatch", Severity::Fault,
            "players taking the length from the main header show a wrong duration and seek bar"},
    CodeRow{Code::VideoLengthMismatch, "video-length-mismatch", Severity::Fault,
            "the video stream's length is wrong: a wrong duration, or playback stops early"},
    CodeRow{Code::OdmlTotalFramesMismatch, "odml-total-frames-mismatch", Severity::Fault,
            "players reading the OpenDML header show a wrong length for the whole movie"},
    CodeRow{Code::AudioLengthMismatch, "audio-length-mismatch", Severity::Fault,
            "the sound track's length is wrong: a wrong duration, or the sound is cut"},
    CodeRow{Code::StreamCountMismatch, "stream-count-mismatch", Severity::Fault,
            "players expect another number of streams: some refuse the file or drop a stream"},
    CodeRow{Code::FrameTimeMismatch, "frame-time-mismatch", Severity::Fault,
            "players timing frames by the main header play at another speed than the stream's"},
    CodeRow{Code::MainBufferTooSmall, "main-buffer-too-small", Severity::Fault,
            "players sizing their read buffer by it may cut the largest chunks or refuse to play"},
    CodeRow{Code::StreamBufferTooSmall, "stream-buffer-too-small", Severity::Fault,
            "players sizing their read buffer by it may cut the largest chunks or refuse to play"},
    CodeRow{Code::AudioByteRateMismatch, "audio-byte-rate-mismatch", Severity::Fault,
            "players timing sound by bytes per second drift out of sync or show a wrong length"},
    CodeRow{Code::AudioBlockAlignMismatch, "audio-block-align-mismatch", Severity::Fault,
            "players read the sound in blocks of the wrong size: noise, or a refused track"},
    CodeRow{Code::IndexEntryOutsideMovi, "index-entry-outside-movi", Severity::Fault,
            "seeking to these entries lands outside the stream data: garbage or a failure"},
    CodeRow{Code::IndexEntryWrongChunk, "index-entry-wrong-chunk", Severity::Fault,
            "the index points at chunks of another id or size: seeking shows wrong frames"},
    CodeRow{Code::IndexIncomplete, "index-incomplete", Severity::Fault,
            "players relying on the index cannot seek to, or skip, the chunks it leaves out"},
    CodeRow{Code::IndexMissing, "index-missing", Severity::Fault,
            "the main header promises an index that is not there: no seeking, some players "
            "refuse the file"},
    CodeRow{Code::FirstFrameNotKey, "first-frame-not-key", Severity::Fault,
            "players cannot start decoding at the first frame: a grey start or a refused file"},
    CodeRow{Code::HandlerCompressionDiffer, "handler-compression-differ", Severity::Note,
            "players pick a decoder by either code; two different codes are usually harmless"},
};

// The table is indexed by the code's value.
static_assert([] {
    for (std::size_t i = 0; i < kCodes.size(); ++i) {
        if (static_cast<std::size_t>(kCodes[i].code) != i) return false;
    }
    return true;
}());

const CodeRow& Row(Code code) {
    return kCodes[static_cast<std::size_t>(code)];
}

}  // namespace

std::string_view FindingName(Code code) {
    return Row(code).name;
}

std::optional<Code> CodeNamed(std::string_view name) {
    for (const auto& row : kCodes) {
        if (row.name == name) return row.code;
    }
    return std::nullopt;
}

Severity FindingSeverity(Code code) {
    return Row(code).severity;
}

std::string_view PlayerImpact(Code code) {
    return Row(code).impact;
}

const std::vector<Code>& AllCodes() {
    static const std::vector<Code> codes = [] {
        std::vector<Code> all;
        for (const auto& row : kCodes) all.push_back(row.code);
        return all;
    }();
    return codes;
}

}  // namespace brelvo::repair
