// SPDX-License-Identifier: GPL-2.0-or-later
// What loading shows about a movie: its information lines by key, the author items with the
// room each has, whether it has sound, and the codec list selections. Replays the ChunkMap rows
// in order so that "the last one decoded wins" exactly as on the window. The window maps it to
// its controls; brelvo-cli prints it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "avi/chunk_map.h"
#include "avi/header_record.h"
#include "avi/information_lines.h"

namespace brelvo::avi {

struct LoadDisplay {
    std::map<InfoLine, std::string> lines;  // MicroSecPerFrame -> "MicroSeconds Per Frame: 40000"
    std::map<std::string, std::string> author;  // by item id ("IART", "DISP") -> its text
    std::map<std::string, int> authorRoom;      // by item id -> the bytes its box may take
    std::set<std::string> authorEditable;       // item ids whose box has room to take text
    bool hasAudio = false;                      // an audio stream was decoded
    int combo1Index = -1;                       // SelectHandlerEntry result, -1 = unchanged
    int combo2Index = -1;                       // SelectCompressionEntry result
};

// Texts are UTF-8 (the file's ANSI bytes decoded from Windows-1252). Author items and codes
// such as the fccHandler in the Compression line keep every byte as stored, NULs included (a NUL
// becomes U+0000): the window cuts the shown text at the first NUL itself, and authorRoom counts
// the stored bytes. The display name is given as loading leaves it (control bytes and bytes from
// 129 on blanked, leading spaces removed). Values that cannot be computed (zero divisors, no
// format chunk) are left out, so the control keeps its previous text.
LoadDisplay DescribeLoad(const HeaderRecord& record, const ChunkMap& chunkMap);

// A display name's data as its box shows it (ANSI): control bytes and bytes from 129 on
// blanked, leading blanks removed.
std::string DisplayNameText(std::string_view data);
// True when a display name's data starts with the standard 4-byte type field (a little-endian
// clipboard format such as 1 = text): four bytes the display shows as blanks, not all zero.
bool HasDisplayTypeField(std::string_view data);
// The bytes a display name's text may take: its data behind a kept type field.
std::size_t DisplayNameRoom(std::string_view data);

// The lines of the information tab as the window shows them once loading has finished, in the
// table's order (the audio lines only for a movie with sound), with the range line as the
// display range leaves it ("From: 0 To: <frames>").
std::vector<std::string> InformationTabLines(const HeaderRecord& record, const ChunkMap& chunkMap,
                                             const std::string& path, std::int64_t fileSize);

}  // namespace brelvo::avi
