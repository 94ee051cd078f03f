// Author items rewritten in place: the padding rule, the room of each item, the display
// name's limits and type field, the code page, and the bytes around the items left alone.
#include "info/author_items.h"

#include <gtest/gtest.h>

#include "avi/field_patch.h"
#include "tests/editing/edit_test_movie.h"

namespace brelvo::info {
namespace {

using namespace brelvo::testing;

std::string Text(std::string_view bytes) {
    return std::string(bytes);
}

// A movie whose INFO list holds the given items, then a DISP chunk of `dispSize` bytes.
Bytes MovieWithItems(const std::vector<std::pair<std::string, std::string>>& items,
                     std::size_t dispSize = 0, std::string_view dispStart = "") {
    std::vector<Bytes> chunks;
    for (const auto& [id, data] : items) chunks.push_back(Chunk(id, ToBytes(data)));
    std::vector<Bytes> parts = {List("hdrl", {Chunk("avih", AvihData({}))}), List("INFO", chunks)};
    if (dispSize > 0) {
        std::string disp(dispStart);
        disp.resize(dispSize, 'd');
        parts.push_back(Chunk("DISP", ToBytes(disp)));
    }
    parts.push_back(List("movi", {Chunk("00dc", Bytes(16, std::byte{0x55}))}));
    return Riff("AVI ", parts);
}

const avi::ChunkRow& Row(const DecodedMovie& m, std::string_view id, int nth = 0) {
    for (const auto& row : m.chunkMap) {
        if (row.id == id && nth-- == 0) return row;
    }
    throw std::logic_error("no such row");
}

AuthorItemsChange Apply(DecodedMovie& m, const std::map<std::string, std::string>& texts) {
    return ApplyAuthorItems(m.file, m.chunkMap, m.record.decodedChunkCount, texts);
}

// True when every changed byte lies in the data of one of the given rows.
bool OnlyDataOf(const DecodedMovie& m, const std::vector<avi::ChunkRow>& rows) {
    for (const auto offset : m.Changed()) {
        bool inside = false;
        for (const auto& r : rows) {
            inside = inside || (offset >= r.DataOffset() && offset < r.DataOffset() + r.size);
        }
        if (!inside) return false;
    }
    return true;
}

TEST(PadItemText, BlanksAndOneNulUpToTheRoom) {
    EXPECT_EQ(PadItemText("Hi", 6), Text({"Hi   \0", 6}));
    EXPECT_EQ(PadItemText("", 4), Text({"   \0", 4}));
    EXPECT_EQ(PadItemText("Exact", 5), "Exact");
    EXPECT_EQ(PadItemText("Too long", 3), "Too");
}

TEST(ApplyAuthorItems, WritesEachListedItemWithinItsOwnRoom) {
    DecodedMovie m(MovieWithItems({{"IART", std::string("Artist", 6)},
                                   {"INAM", std::string("Nam\0", 4)},
                                   {"ICOP", std::string("Old (c)", 7)},
                                   {"ISBJ", std::string("Keep me\0", 8)}}));
    const auto length = m.file.Length();
    const auto change = Apply(m, {{"IART", "Hi"}, {"INAM", ""}, {"ICOP", "New (c)"}});
    EXPECT_EQ(m.BytesAt(Row(m, "IART").DataOffset(), 6), Text({"Hi   \0", 6}));
    EXPECT_EQ(m.BytesAt(Row(m, "INAM").DataOffset(), 4), Text({"   \0", 4}));
    EXPECT_EQ(m.BytesAt(Row(m, "ICOP").DataOffset(), 7), "New (c)");  // exact size, no NUL
    EXPECT_TRUE(OnlyDataOf(m, {Row(m, "IART"), Row(m, "INAM"), Row(m, "ICOP")}));
    EXPECT_EQ(m.file.Length(), length);
    EXPECT_EQ(change.BoxTexts().at("IART"), "Hi   ");
}

TEST(ApplyAuthorItems, ApplyingTheShownTextsAgainWritesTheSameBytes) {
    DecodedMovie m(MovieWithItems({{"IART", std::string(10, 'a')}, {"ICMT", "xy"}}));
    const auto first = Apply(m, {{"IART", "Short"}, {"ICMT", "z"}});
    const auto afterFirst = m.file.Bytes();
    Apply(m, first.BoxTexts());
    EXPECT_EQ(m.file.Bytes(), afterFirst);
}

TEST(ApplyAuthorItems, WritesTextInWindows1252) {
    DecodedMovie m(MovieWithItems({{"INAM", std::string(12, 'x')}}));
    Apply(m, {{"INAM", "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x98\x83"}});  // "Café € ☃"
    EXPECT_EQ(m.BytesAt(Row(m, "INAM").DataOffset(), 12), Text({"Caf\xE9 \x80 ?   \0", 12}));
}

TEST(ApplyAuthorItems, SameIdTwiceIsCutOrPaddedToEachItemsSize) {
    DecodedMovie m(MovieWithItems({{"IART", "abcd"}, {"IART", "abcdefgh"}}));
    const auto change = Apply(m, {{"IART", "Longer"}});
    EXPECT_EQ(m.BytesAt(Row(m, "IART", 0).DataOffset(), 4), "Long");
    EXPECT_EQ(m.BytesAt(Row(m, "IART", 1).DataOffset(), 8), Text({"Longer \0", 8}));
    ASSERT_EQ(change.items.size(), 2u);
    EXPECT_TRUE(change.items[0].cut);
    EXPECT_EQ(change.BoxTexts().at("IART"), "Longer ");  // the last item, as at load
}

TEST(ApplyAuthorItems, AnItemOfSizeZeroIsNeverWritten) {
    DecodedMovie m(MovieWithItems({{"ISRC", ""}, {"INAM", "ab"}}));
    const auto change = Apply(m, {{"ISRC", "text"}, {"INAM", "c"}});
    ASSERT_EQ(change.skipped.size(), 1u);
    EXPECT_EQ(change.skipped[0].id, "ISRC");
    EXPECT_TRUE(OnlyDataOf(m, {Row(m, "INAM")}));
}

TEST(ApplyAuthorItems, DisplayNameOf499BytesIsWrittenOf500IsNot) {
    DecodedMovie shortName(MovieWithItems({}, 499));
    Apply(shortName, {{"DISP", "Name"}});
    EXPECT_EQ(shortName.BytesAt(Row(shortName, "DISP").DataOffset(), 5), "Name ");
    EXPECT_EQ(shortName.BytesAt(Row(shortName, "DISP").DataOffset() + 498, 1), Text({"\0", 1}));

    DecodedMovie longName(MovieWithItems({}, 500));
    const auto change = Apply(longName, {{"DISP", "Name"}});
    EXPECT_TRUE(change.items.empty());
    EXPECT_TRUE(longName.Changed().empty());
}

TEST(ApplyAuthorItems, DisplayNameKeepsItsTypeField) {
    const std::string typeField("\x01\0\0\0", 4);  // 1 = text
    DecodedMovie m(MovieWithItems({}, 13, typeField + std::string("OldName\0", 8)));
    const auto change = Apply(m, {{"DISP", "New"}});
    EXPECT_EQ(m.BytesAt(Row(m, "DISP").DataOffset(), 13), typeField + Text({"New     \0", 9}));
    EXPECT_EQ(change.BoxTexts().at("DISP"), "New     ");
    EXPECT_FALSE(HasDisplayTypeField("Name"));
    EXPECT_FALSE(HasDisplayTypeField(std::string(4, '\0')));
}

TEST(ApplyAuthorItems, AnItemRunningPastTheEndOfTheFileIsRefusedBeforeAnyWrite) {
    Bytes bytes = MovieWithItems({{"IART", "abcd"}});
    AppendText(bytes, "INAM");
    AppendU32(bytes, 100);  // 100 bytes claimed, 2 present
    AppendText(bytes, "ab");
    DecodedMovie m(bytes);
    EXPECT_THROW(Apply(m, {{"IART", "x"}, {"INAM", "y"}}), avi::PatchRefused);
    EXPECT_TRUE(m.Changed().empty());
}

}  // namespace
}  // namespace brelvo::info
