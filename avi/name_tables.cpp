// SPDX-License-Identifier: GPL-2.0-or-later
// The fixed vocabularies.
#include "avi/name_tables.h"

#include <utility>

#include "platform/path_text.h"

namespace brelvo::avi {
namespace {

constexpr std::pair<std::string_view, std::string_view> kVideoCodecNames[] = {
    {"ULTI", " - IBM Ultimotion"},
    {"JPEG", " - JPEG"},
    {"MJPG", " - Motion JPEG"},
    {"IJPG", " - Intergraph JPEG"},
    {"CRAM", " - Microsoft Video 1"},
    {"WHAM", " - Microsoft Video 1"},
    {"MSVC", " - Microsoft Video 1"},
    {"CVID", " - Radius Cinepak"},
    {"IV31", " - Intel Indeo R3.1"},
    {"IV32", " - Intel Indeo R3.2"},
    {"IV41", " - Intel Indeo R4.1"},
    {"YUV9", " - Intel RAW YUV9"},
    {"CYUV", " - Creative CYUV"},
    {"RGB ", " - Uncompressed"},
    {"RLE8", " - Run length encoded"},
    {"XMPG", " - Editable MPEG"},
    {"RPZA", " - Apple Video 16 Bit"},
    {"MPG4", " - MPEG4 Standard"},
    {"MP41", " - MPEG4 V1"},
    {"MP42", " - MPEG4 V2"},
    {"DIB ", " - MS Bitmap"},
    {"DIV1", " - MPEG4 V1 Cracked ;)"},
    {"DIV2", " - MPEG4 V2 Cracked ;)"},
    {"DIV3", " - MPEG4 V3 Cracked ;)"},
    {"DIV4", " - MPEG4 V4 Cracked ;)"},
    {"MRLE", " - Microsoft RLE"},
};

constexpr std::pair<std::uint16_t, std::string_view> kWaveFormatNames[] = {
    {1, " - Microsoft PCM"},     {65, " - IBM mu-law format"},
    {66, " - IBM a-law format"}, {67, " - IBM AVC Adaptive Differential PCM format"},
    {85, " - MP3 Audio Layer"},  {353, " - Windows Media Audio Format"},
};

// Combo1 and Combo2 differ in the MPG4 item only.
constexpr std::array<std::string_view, 25> kHandlerItems = {
    "CRAM - Microsoft Video 1",
    "CVID  - Radius Cinepak",
    "CYUV - Creative CYUV",
    "DIB - MS Bitmap\"",
    "DIV1 - MPEG4 V1 Cracked ;)",
    "DIV2 - MPEG4 V2 Cracked ;)",
    "DIV3 - MPEG4 V3 Cracked ;)",
    "DIV4 - MPEG4 V4 Cracked ;)",
    "IJPG  - Intergraph JPEG",
    "IV31 - Intel Indeo R3.1",
    "IV32 - Intel Indeo R3.2",
    "IV41 - Intel Indeo R4.1",
    "JPEG - JPEG",
    "MJPG - Motion JPEG",
    "MP41 - MPEG4 V1",
    "MP42 - MPEG4 V2",
    "MPG4 - MPEG 4 Standard",
    "MSVC - Microsoft Video 1",
    "RGB  - Uncompressed",
    "RLE8 - Run length encoded ",
    "RPZA - Apple Video 16 Bit",
    "ULTI - IBM Ultimotion",
    "WHAM - Microsoft Video 1",
    "XMPG - Editable MPEG",
    "YUV9 - Intel RAW YUV9",
};

constexpr std::array<std::string_view, 25> kCompressionItems = [] {
    auto items = kHandlerItems;
    items[16] = "MPG4 - MPEG4 Standard";
    return items;
}();

}  // namespace

std::string_view VideoCodecDescription(std::string_view code) {
    const auto upper = platform::AsciiUpper(code);
    for (const auto& [name, description] : kVideoCodecNames) {
        if (name == upper) return description;
    }
    return " - Unknown";
}

std::string_view WaveFormatDescription(std::uint16_t tag) {
    for (const auto& [known, description] : kWaveFormatNames) {
        if (known == tag) return description;
    }
    return " - Unknown Wave format";
}

const std::array<std::string_view, 25>& CodecComboItems(CodecList list) {
    return list == CodecList::HeaderHandler ? kHandlerItems : kCompressionItems;
}

int MatchingCodecItem(CodecList list, std::string_view code) {
    const auto upper = platform::AsciiUpper(code);
    const auto& items = CodecComboItems(list);
    int match = -1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (platform::AsciiUpper(items[i].substr(0, 4)) == upper) match = static_cast<int>(i);
    }
    return match;
}

}  // namespace brelvo::avi
