// SPDX-License-Identifier: GPL-2.0-or-later
// Author items rewritten in place: the padding rule, the room of each item, the display
// name's limits and type field, the code page, and the record that follows the file.
#include "info/author_items.h"

#include <gtest/gtest.h>

#include "avi/field_patch.h"
#include "avi/load_display.h"
#include "tests/support/decoded_movie.h"
#include "tests/support/test_movies.h"

namespace brelvo::info {
namespace {

using namespace brelvo::testing;
using Texts = std::map<std::string, std::string>;

// A movie whose INFO list holds the items, then a DISP chunk of `dispSize` bytes.
Bytes MovieWithItems(const std::vector<std::pair<std::string, std::string>>& items,
                     std::size_t dispSize = 0, std::string disp = "") {
    std::vector<Bytes> chunks;
    for (const auto& [id, data] : items) chunks.push_back(Chunk(id, ToBytes(data)));
    std::vector<Bytes> before = {List("INFO", chunks)};
    disp.resize(dispSize, 'd');
    if (dispSize > 0) before.push_back(Chunk("DISP", ToBytes(disp)));
    return MakeMovie({.streams = {},
                      .beforeMovi = before,
                      .movis = {{Chunk("00dc", Bytes(16, std::byte{0x55}))}}});
}

// The data of the nth item with the id, as the file now holds it.
std::string Data(const DecodedMovie& m, std::string_view id, int nth = 0) {
    for (const auto& row : m.chunkMap) {
        if (row.id == id && nth-- == 0) {
            return m.BytesAt(row.DataOffset(), static_cast<std::size_t>(row.size));
        }
    }
    return "(none)";
}

AuthorItemsChange Apply(DecodedMovie& m, const Texts& texts) {
    avi::HeaderEdit edit(m.record);
    auto change = AddAuthorItems(edit, texts);
    avi::ApplyPlan(m.file, edit.plan);
    m.record = std::move(edit.record);
    return change;
}

std::string Nul(std::string_view text) {
    return std::string(text) + '\0';
}

TEST(AddAuthorItems, PadsAndWritesOnlyTheListedItems) {
    DecodedMovie m(MovieWithItems({{"IART", "Artist"},
                                   {"INAM", Nul("Nam")},
                                   {"ICOP", "Old (c)"},
                                   {"ISBJ", Nul("Keep me")},
                                   {"ICMT", std::string(12, 'x')}}));
    Apply(m, {{"IART", "Hi"},
              {"INAM", ""},
              {"ICOP", "New (c)"},
              {"ICMT", "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x98\x83"}});  // "Café € ☃"
    EXPECT_EQ(Data(m, "IART"), Nul("Hi   "));
    EXPECT_EQ(Data(m, "INAM"), Nul("   "));
    EXPECT_EQ(Data(m, "ICOP"), "New (c)");  // exactly the item's size: no NUL
    EXPECT_EQ(Data(m, "ISBJ"), Nul("Keep me"));
    EXPECT_EQ(Data(m, "ICMT"), Nul("Caf\xE9 \x80 ?   "));  // Windows-1252
}

TEST(AddAuthorItems, ApplyingTheShownTextsAgainWritesTheSameBytes) {
    DecodedMovie m(MovieWithItems({{"IART", std::string(10, 'a')}, {"ICMT", "xy"}}));
    const auto first = Apply(m, {{"IART", "Short"}, {"ICMT", "z"}});
    const auto afterFirst = m.file.Bytes();
    EXPECT_EQ(m.record.textItems[0].bytes, Nul("Short    "));  // the record follows the file
    Apply(m, first.BoxTexts());
    EXPECT_EQ(m.file.Bytes(), afterFirst);
}

TEST(AddAuthorItems, EachItemGetsItsOwnRoomAndSizeZeroNone) {
    DecodedMovie m(MovieWithItems({{"IART", "abcd"}, {"IART", "abcdefgh"}, {"ISRC", ""}}));
    const auto change = Apply(m, {{"IART", "Longer"}, {"ISRC", "text"}});
    EXPECT_EQ(Data(m, "IART", 0), "Long");
    EXPECT_EQ(Data(m, "IART", 1), Nul("Longer "));
    ASSERT_EQ(change.items.size(), 2u);
    EXPECT_TRUE(change.items[0].cut);
    EXPECT_EQ(change.BoxTexts().at("IART"), "Longer ");  // the last item, as at load
    ASSERT_EQ(change.skipped.size(), 1u);
    EXPECT_EQ(change.skipped[0].id, "ISRC");
}

TEST(AddAuthorItems, DisplayNameOf499BytesIsWrittenOf500IsNotAndItsTypeFieldStays) {
    DecodedMovie shortName(MovieWithItems({}, 499));
    Apply(shortName, {{"DISP", "Name"}});
    EXPECT_EQ(Data(shortName, "DISP"), Nul("Name" + std::string(494, ' ')));

    DecodedMovie longName(MovieWithItems({}, 500));
    EXPECT_TRUE(Apply(longName, {{"DISP", "Name"}}).items.empty());
    EXPECT_TRUE(longName.Changed().empty());

    // The type field stays; an unchanged name keeps its bytes.
    const std::string typeField("\x01\0\0\0", 4);          // 1 = text
    const std::string data = typeField + Nul("ABCDEFGH");  // the name fills the room
    DecodedMovie m(MovieWithItems({}, 13, data));
    Apply(m, {{"DISP", avi::DisplayNameText(data)}});  // as shown: "ABCDEFGH "
    EXPECT_EQ(Data(m, "DISP"), data);
    const auto change = Apply(m, {{"DISP", "New"}});
    EXPECT_EQ(Data(m, "DISP"), typeField + Nul("New     "));
    EXPECT_EQ(change.BoxTexts().at("DISP"), "New     ");
    EXPECT_FALSE(avi::HasDisplayTypeField(std::string(4, '\0')));  // no type: all text
}

TEST(AddAuthorItems, AnItemRunningPastTheEndOfTheFileIsRefused) {
    Bytes bytes = MovieWithItems({{"IART", "abcd"}});
    Append(bytes, ChunkWithSize("INAM", 100, ToBytes("ab")));  // 100 bytes claimed, 2 present
    DecodedMovie m(bytes);
    avi::HeaderEdit edit(m.record);
    EXPECT_THROW(AddAuthorItems(edit, {{"IART", "x"}, {"INAM", "y"}}), avi::PatchRefused);
}

}  // namespace
}  // namespace brelvo::info
