// SPDX-License-Identifier: GPL-2.0-or-later
// The Author Details Apply driven through its boxes: each item takes exactly its own size,
// padded with blanks and one NUL, and nothing outside the items changes.
#include <QPushButton>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/qt/limited_text_box.h"
#include "platform/qt/tab_control.h"
#include "tests/app/form1_harness.h"

namespace brelvo::app::testing {
namespace {

using namespace brelvo::testing;

Bytes Item(std::string_view id, std::string_view data) {
    return Chunk(id, ToBytes(data));
}

Bytes MovieWithItems(const std::vector<Bytes>& info, const Bytes& afterInfo = {}) {
    return Riff("AVI ", {List("hdrl", {Chunk("avih", AvihData({})),
                                       List("strl", {Chunk("strh", StrhData({})),
                                                     Chunk("strf", BitmapInfoData())})}),
                         List("INFO", info), afterInfo, List("movi", {})});
}

class AuthorApplyTest : public Form1Test {
  protected:
    void Load(const Bytes& movie) {
        original_ = movie;
        StartOn(movie);
        ASSERT_EQ(form_->state(), Form1::State::Ready);
        loaded_ = FileBytes();  // with what every load writes
        player_.ClearCalls();
    }
    platform::qt::LimitedTextBox* Box(const char* name) const {
        return form_->Control<platform::qt::LimitedTextBox>(QString::fromUtf8(name));
    }
    // Replaces the box's text as the user would: select all, then type (Enter for "\n").
    void Type(const char* box, const QString& text) {
        auto* target = Box(box);
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
        for (const QChar c : text) {
            if (c == u'\n') {
                QTest::keyClick(target, Qt::Key_Return);
            } else {  // any character, also those without a key of their own
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
            }
        }
    }
    void Apply() {
        form_->SSTab1()->SetTab(2, false);
        QTest::mouseClick(form_->Control<QPushButton>(QStringLiteral("Command2")), Qt::LeftButton);
    }
    // The loaded movie with the n-th item of an id holding new data.
    void ExpectItem(Bytes& expected, std::string_view id, std::string_view data, int nth = 0) {
        const std::size_t at = FindId(original_, id, nth) + 8;
        const Bytes now = FileBytes();
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(now.data() + at), data.size()), data)
            << id;
        std::copy(data.begin(), data.end(), reinterpret_cast<char*>(expected.data() + at));
    }

    Bytes original_;
    Bytes loaded_;
};

TEST_F(AuthorApplyTest, EachItemIsPaddedToItsOwnSizeAndNothingElseChanges) {
    Load(MovieWithItems({Item("IART", std::string("Artist", 6)), Item("INAM", "Test"),
                         Item("ICOP", std::string("x\ny\0", 4))}));
    Type("Text4", QStringLiteral("Hi"));
    Type("Text7", QString());
    form_->SSTab1_Click(0);  // a shown preview gets the movie back
    player_.ClearCalls();
    Apply();

    Bytes expected = loaded_;
    ExpectItem(expected, "IART", std::string("Hi   \0", 6));
    ExpectItem(expected, "INAM", std::string("   \0", 4));
    ExpectItem(expected, "ICOP", std::string("x\ny\0", 4));  // its own line break kept
    EXPECT_EQ(FileBytes(), expected);
    EXPECT_EQ(Box("Text4")->Text(), QStringLiteral("Hi   "));
    EXPECT_TRUE(form_->document().altered);
    EXPECT_TRUE(dialogs_.shown().empty());
    EXPECT_EQ(player_.Actions(),
              (std::vector<std::string>{"Stop", "SavedValue", "SetFileName()",
                                        "SetFileName(" + path_ + ")", "SetSavedValue(50)",
                                        "SetSelectionStart(0)", "SetSelectionEnd(25)", "Play"}));

    Apply();
    EXPECT_EQ(FileBytes(), expected);
}

TEST_F(AuthorApplyTest, LineBreaksTakeTwoBytesAndATextCutToFitIsReported) {
    Load(MovieWithItems(
        {Item("IART", ""), Item("ISRC", std::string(8, '\0')), Item("IPRD", "wxyz")}));
    Type("Text9", QStringLiteral("a\nb"));
    Type("Text8", QStringLiteral("ab\nc"));  // four characters in the box, five bytes
    Apply();

    Bytes expected = loaded_;
    ExpectItem(expected, "ISRC", std::string("a\r\nb   \0", 8));
    ExpectItem(expected, "IPRD", "ab\r\n");
    EXPECT_EQ(FileBytes(), expected);  // the item of size 0 is not written
    EXPECT_EQ(dialogs_.Texts(),
              QStringList{QStringLiteral(
                  "The Product text was cut to the 4 bytes its item holds in the file.")});
}

TEST_F(AuthorApplyTest, AFailedWriteIsReportedAndTheBoxesKeepTheTypedText) {
    Load(MovieWithItems({Item("IART", std::string("Artist", 6))}));
    Type("Text4", QStringLiteral("Hi"));
    std::filesystem::remove(path_);
    Apply();
    ASSERT_EQ(dialogs_.Texts().size(), 1);
    EXPECT_EQ(
        dialogs_.Texts()[0],
        QStringLiteral("The movie %1 could not be changed: cannot open it (%2).")
            .arg(QString::fromStdString(path_), QString::fromLocal8Bit(std::strerror(ENOENT))));
    EXPECT_EQ(Box("Text4")->Text(), QStringLiteral("Hi"));
    // The preview is hidden: it holds nothing and plays nothing afterwards either.
    EXPECT_EQ(player_.Actions().back(), "SetFileName()");
}

}  // namespace
}  // namespace brelvo::app::testing
