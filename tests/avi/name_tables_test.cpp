// SPDX-License-Identifier: GPL-2.0-or-later
// The name tables, the combo lists and their matching, the summary texts and the range list.
#include "avi/name_tables.h"

#include <gtest/gtest.h>

#include "avi/load_summary.h"

namespace brelvo::avi {
namespace {

TEST(NameTables, LookupsAndTheirDefaults) {
    EXPECT_EQ(VideoCodecDescription("div3"), " - MPEG4 V3 Cracked ;)");
    EXPECT_EQ(VideoCodecDescription(std::string(4, '\0')), " - Unknown");
    EXPECT_EQ(VideoCodecDescription("XVID"), " - Unknown");
    EXPECT_EQ(WaveFormatDescription(65), " - IBM mu-law format");
    EXPECT_EQ(WaveFormatDescription(257), " - Unknown Wave format");
}

TEST(NameTables, ComboListsDifferInTheMpg4ItemOnlyAndMatchTheirFirstFourCharacters) {
    const auto& handler = CodecComboItems(CodecList::HeaderHandler);
    const auto& compression = CodecComboItems(CodecList::StreamCompression);
    for (std::size_t i = 0; i < handler.size(); ++i) {
        EXPECT_TRUE(i == 16 || handler[i] == compression[i]) << i;
    }
    EXPECT_EQ(handler[16], "MPG4 - MPEG 4 Standard");
    EXPECT_EQ(compression[16], "MPG4 - MPEG4 Standard");
    EXPECT_EQ(handler[3], "DIB - MS Bitmap\"");
    EXPECT_EQ(handler[19], "RLE8 - Run length encoded ");
    EXPECT_EQ(MatchingCodecItem(CodecList::HeaderHandler, "div3"), 6);
    EXPECT_EQ(MatchingCodecItem(CodecList::StreamCompression, "dib "), 3);
    EXPECT_EQ(MatchingCodecItem(CodecList::HeaderHandler, "MRLE"), -1);  // named, not listed
}

TEST(LoadSummary, TextsAndTheRangeList) {
    EXPECT_EQ(isolatename("/home/u/clip.avi"), "CLIP.AVI");
    EXPECT_EQ(isolatename("clip.avi"), "CLIP.AVI");  // a bare name from a shell
    EXPECT_EQ(isolatename("\xC3\xA9t\xC3\xA9 \xC5\xA1\xC3\xBF \xD0\xB6.avi"),
              "\xC3\x89T\xC3\x89 \xC5\xA0\xC5\xB8 \xD0\x96.AVI");  // été šÿ ж
    EXPECT_EQ(isolatename("caf\xE9.avi"), "CAF\xE9.AVI");          // not UTF-8: the byte stays
    EXPECT_EQ(FileSizeText(1048576), "File Size: 1048576 bytes. (1.00MB.)");
    EXPECT_EQ(FileSizeText(131072), "File Size: 131072 bytes. (0.13MB.)");  // 0.125: half up
    EXPECT_EQ(FileSizeText(5'000'000'000), "File Size: 5000000000 bytes. (4768.37MB.)");
    std::vector<std::string> items = {"abc"};
    int selected = 0;
    EXPECT_TRUE(AddRangeEntry(items, selected, RangeEntryText(100, 2500)));
    EXPECT_EQ(items.back(), "000100 - 002500");
    EXPECT_EQ(selected, 1);
    selected = 0;
    EXPECT_FALSE(AddRangeEntry(items, selected, "000100 - 002500"));
    EXPECT_FALSE(AddRangeEntry(items, selected, "ABC"));
    EXPECT_EQ(selected, 0);
}

}  // namespace
}  // namespace brelvo::avi
