// SPDX-License-Identifier: GPL-2.0-or-later
// What the diagnosis of a movie finds: a fault (or a note) with its stable code, the fields it
// concerns with what they hold and what the movie's structure says instead, and whether
// overwriting those fields mends it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "avi/field_ref.h"

namespace brelvo::repair {

enum class Severity { Fault, Note };

// Every kind of finding. The names (FindingName) are stable: scripts and --only use them.
enum class Code {
    RiffSizePastEnd,
    RiffSizeShort,
    ListSizePastEnd,
    MoviSizeShort,
    IndexSizePastEnd,
    ChunkCutShort,
    WalkGarbage,
    PadByteMissing,
    NoMoviList,
    HeadersUnreadable,
    TotalFramesMismatch,
    VideoLengthMismatch,
    OdmlTotalFramesMismatch,
    AudioLengthMismatch,
    StreamCountMismatch,
    FrameTimeMismatch,
    MainBufferTooSmall,
    StreamBufferTooSmall,
    AudioByteRateMismatch,
    AudioBlockAlignMismatch,
    IndexEntryOutsideMovi,
    IndexEntryWrongChunk,
    IndexIncomplete,
    IndexMissing,
    FirstFrameNotKey,
    HandlerCompressionDiffer,
};

struct FieldValue {
    avi::FieldRef field;                 // name, 0-based offset, width
    std::int64_t holds = 0;              // as stored (sizes unsigned)
    std::optional<std::int64_t> should;  // what the structure says, when it says a number
    std::string code;                    // the four characters, for a codec tag (holds unused)
};

struct Finding {
    Code code{};
    std::int64_t at = 0;  // 0-based offset of the place concerned
    std::vector<FieldValue> fields;
    std::string detail;     // what the structure says, in words
    bool mendable = false;  // overwriting each field with its `should` mends it
};

// "riff-size-past-end", ...
std::string_view FindingName(Code code);
std::optional<Code> CodeNamed(std::string_view name);
Severity FindingSeverity(Code code);
// One line: what the finding means for a player.
std::string_view PlayerImpact(Code code);
// Every code, in declaration order.
const std::vector<Code>& AllCodes();

}  // namespace brelvo::repair
