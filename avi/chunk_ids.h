// SPDX-License-Identifier: GPL-2.0-or-later
// The chunk ids, list types and stream-data suffixes the program knows, in one place.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "avi/author_item_table.h"

namespace brelvo::avi {

// The ids the chunk walk records, upper-cased, in the order they are tested.
inline constexpr std::array<std::string_view, 18> kRecognisedIds = {
    "RIFF", "AVIH", "IART", "ICMT", "ICOP", "INAM", "IPRD", "ISBJ", "ISRC",
    "STRF", "DISP", "STRH", "STRD", "MOVI", "IDX1", "JUNK", "PRMI", "LIST"};

// The INFO items and the display name: avi/author_item_table.h.

inline constexpr std::string_view kIdRiff = "RIFF";
inline constexpr std::string_view kIdList = "LIST";
inline constexpr std::string_view kIdAvih = "AVIH";
inline constexpr std::string_view kIdStrh = "STRH";
inline constexpr std::string_view kIdStrf = "STRF";
inline constexpr std::string_view kIdIdx1 = "IDX1";
inline constexpr std::string_view kIdJunk = "JUNK";
inline constexpr std::string_view kIdDmlh = "DMLH";
inline constexpr std::string_view kIdIndx = "INDX";
inline constexpr std::string_view kIdStrn = "STRN";
inline constexpr std::string_view kIdVprp = "VPRP";

// List types, upper-cased as ListType reads them.
inline constexpr std::string_view kListTypeAvi = "AVI ";
inline constexpr std::string_view kListTypeAvix = "AVIX";  // the parts after the first
inline constexpr std::string_view kListTypeHdrl = "HDRL";
// The chunk scan also probes for this type and names the movi list's row by it.
inline constexpr std::string_view kListTypeMovi = "MOVI";
inline constexpr std::string_view kListTypeStrl = "STRL";
inline constexpr std::string_view kListTypeRec = "REC ";
inline constexpr std::string_view kListTypeOdml = "ODML";

inline constexpr std::string_view kWavForm = "WAVE";  // a WAV file's RIFF form

// The ids as the formats spell them, for what is written and for the structure check, which
// matches them exactly as players do. Everything else matches them in any letter case.
namespace spelled {
inline constexpr std::string_view kRiff = "RIFF";
inline constexpr std::string_view kList = "LIST";
inline constexpr std::string_view kJunk = "JUNK";
inline constexpr std::string_view kHdrl = "hdrl";
inline constexpr std::string_view kAvih = "avih";
inline constexpr std::string_view kStrl = "strl";
inline constexpr std::string_view kStrh = "strh";
inline constexpr std::string_view kStrf = "strf";
inline constexpr std::string_view kIndx = "indx";
inline constexpr std::string_view kOdml = "odml";
inline constexpr std::string_view kDmlh = "dmlh";
inline constexpr std::string_view kMovi = "movi";
inline constexpr std::string_view kRec = "rec ";
inline constexpr std::string_view kIdx1 = "idx1";
inline constexpr std::string_view kWavFormat = "fmt ";
inline constexpr std::string_view kWavData = "data";
}  // namespace spelled

inline constexpr std::string_view kTypeVideo = "VIDS";
inline constexpr std::string_view kTypeInterleavedDv = "IAVS";
inline constexpr std::string_view kTypeAudio = "AUDS";

// Stream data chunk ids are two digits of the stream number and a two-letter kind.
inline constexpr std::string_view kSuffixAudio = "wb";
inline constexpr std::string_view kSuffixCompressedVideo = "dc";
inline constexpr std::string_view kSuffixUncompressedVideo = "db";
inline constexpr std::string_view kSuffixPaletteChange = "pc";

// A stream's data chunk id ("01wb"); none for streams past 99, which two digits cannot name.
inline std::optional<std::string> StreamChunkId(int stream, std::string_view kind) {
    if (stream < 0 || stream > 99) return std::nullopt;
    std::string id{static_cast<char>('0' + stream / 10), static_cast<char>('0' + stream % 10)};
    id += kind;
    return id;
}

// The size of the saved header region that the exit prompt can write back.
inline constexpr std::int64_t kHeaderBackupSize = 8192;

}  // namespace brelvo::avi
