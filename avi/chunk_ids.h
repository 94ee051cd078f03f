// SPDX-License-Identifier: GPL-2.0-or-later
// The chunk ids, list types and stream-data suffixes the program knows, in one place.
#pragma once

#include <array>
#include <cstdint>
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
inline constexpr std::string_view kIdMovi = "MOVI";
inline constexpr std::string_view kIdIdx1 = "IDX1";
inline constexpr std::string_view kIdJunk = "JUNK";
inline constexpr std::string_view kIdDmlh = "DMLH";
inline constexpr std::string_view kListTypeOdml = "ODML";

inline constexpr std::string_view kTypeVideo = "VIDS";
inline constexpr std::string_view kTypeInterleavedDv = "IAVS";
inline constexpr std::string_view kTypeAudio = "AUDS";

// Stream data chunk ids are two digits of the stream number and a two-letter kind.
inline constexpr std::string_view kSuffixAudio = "wb";
inline constexpr std::string_view kSuffixCompressedVideo = "dc";
inline constexpr std::string_view kSuffixUncompressedVideo = "db";

// The size of the saved header region that the exit prompt can write back.
inline constexpr std::int64_t kHeaderBackupSize = 8192;

}  // namespace brelvo::avi
