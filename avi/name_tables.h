// SPDX-License-Identifier: GPL-2.0-or-later
// The fixed vocabularies: video codec names, wave format names and the codec combo lists.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace brelvo::avi {

// " - IBM Ultimotion" ...; " - Unknown" for any code not listed (compared upper-cased).
std::string_view VideoCodecDescription(std::string_view code);
// " - Microsoft PCM" ...; " - Unknown Wave format" for any tag not listed.
std::string_view WaveFormatDescription(std::uint16_t tag);

enum class CodecList { HeaderHandler, StreamCompression };  // Combo1, Combo2
// The 25 items of the list, in order.
const std::array<std::string_view, 25>& CodecComboItems(CodecList list);

// The index of the last item whose first four characters, upper-cased, equal the code
// upper-cased; -1 when none does.
int MatchingCodecItem(CodecList list, std::string_view code);

}  // namespace brelvo::avi
