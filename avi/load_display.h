// SPDX-License-Identifier: GPL-2.0-or-later
// What loading puts on the main window's controls, by control name: captions and texts,
// maximum lengths, enabled and shown states, codec list selections. Replays the ChunkMap rows
// in order so that "the last one decoded wins" exactly as on the window. The window applies
// it to its widgets; brelvo-cli prints it.
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

namespace brelvo::avi {

struct LoadDisplay {
    std::map<std::string, std::string> texts;  // "Label6" -> "MicroSeconds Per Frame: 40000"
    std::map<std::string, int> maxLengths;     // "Text4" -> 12 (author boxes, disp)
    std::set<std::string> enabled;             // controls enabled by loading ("Frame2", ...)
    std::set<std::string> shown;               // controls made visible ("Frame4")
    int combo1Index = -1;                      // SelectHandlerEntry result, -1 = unchanged
    int combo2Index = -1;                      // SelectCompressionEntry result
};

// Texts are UTF-8 (the file's ANSI bytes decoded from Windows-1252). Author boxes and codes
// such as the fccHandler in "Label15" keep every byte as stored, NULs included (a NUL becomes
// U+0000): the window cuts the shown text at the first NUL itself, and maxLengths counts the
// stored bytes. The display name is given as loading leaves it (control bytes and bytes from
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

// The lines of the information tab as the window shows them once loading has finished,
// in the tab's order (Label1 "Filename: ", Label15, Label2, ... then the audio frame), with
// Label11 as the display range leaves it ("From: 0 To: <frames>").
std::vector<std::string> InformationTabLines(const HeaderRecord& record, const ChunkMap& chunkMap,
                                             const std::string& path, std::int64_t fileSize);

}  // namespace brelvo::avi
