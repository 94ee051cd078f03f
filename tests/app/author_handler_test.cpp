// SPDX-License-Identifier: GPL-2.0-or-later
// The Author Details Apply driven through its boxes on one movie: typed text (line breaks
// too) reaches each item padded as the core pads it, the boxes show what was written, the
// player and the messages. The padding rules are the core's, tested there.
#include <QClipboard>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/qt/limited_text_box.h"
#include "tests/app/form1_harness.h"

namespace brelvo::app::testing {
namespace {

using namespace brelvo::testing;

class AuthorApplyTest : public Form1Test {
  protected:
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
};

TEST_F(AuthorApplyTest, TypedTextsReachTheirItemsAndTheBoxesShowWhatWasWritten) {
    const auto item = [](std::string_view id, std::string_view data) {
        return Chunk(id, ToBytes(data));
    };
    const Bytes movie = MakeMovie(
        {.streams = {VideoStream()},
         .beforeMovi = {List("INFO", {item("IART", "Artist"), item("ISRC", std::string(8, '\0')),
                                      item("IPRD", "wxyz")})},
         .idx1 = std::nullopt});
    StartOn(movie);
    ASSERT_EQ(form_->state(), Form1::State::Ready);
    Bytes expected = FileBytes();  // with what every load writes
    Type("Text4", QStringLiteral("Hi"));
    Type("Text9", QStringLiteral("a\nb"));
    Type("Text8", QStringLiteral("ab\nc"));  // four characters in the box, five bytes
    form_->SSTab1_Click(0);                  // a shown preview gets the movie back
    player_.ClearCalls();
    Click("Command2", 2);

    for (const auto& [id, data] : {std::pair<std::string_view, std::string>{"IART", {"Hi   \0", 6}},
                                   {"ISRC", {"a\r\nb   \0", 8}},
                                   {"IPRD", "ab\r\n"}}) {
        std::copy(data.begin(), data.end(),
                  reinterpret_cast<char*>(expected.data() + FindId(movie, id) + 8));
    }
    EXPECT_EQ(FileBytes(), expected);
    EXPECT_EQ(Box("Text4")->Text(), QStringLiteral("Hi   "));
    EXPECT_TRUE(form_->document().altered);
    EXPECT_EQ(dialogs_.Texts(),
              QStringList{QStringLiteral(
                  "The Product text was cut to the 4 bytes its item holds in the file.")});
    EXPECT_EQ(player_.Actions(), ReleasedAndRestored());
}

// The name box holds the 5 bytes of INAM: typing and pasting stop there, a line break being a
// character too, and typing over a selection frees its room.
TEST_F(AuthorApplyTest, TheBoxesTakeNoMoreThanTheirItemAndKeepTheTextWhenTheWriteFails) {
    StartOn(MakeSimpleMovie({}));
    Type("Text7", QStringLiteral("Hi\nthere"));
    EXPECT_EQ(Box("Text7")->Text(), QStringLiteral("Hi\nth"));
    QApplication::clipboard()->setText(QStringLiteral("123456"));
    Box("Text7")->selectAll();
    Box("Text7")->paste();
    EXPECT_EQ(Box("Text7")->Text(), QStringLiteral("12345"));
    Type("Text7", QStringLiteral("Hi"));
    std::filesystem::remove(path_);
    Click("Command2", 2);
    EXPECT_EQ(dialogs_.Texts(),
              QStringList{QStringLiteral("The movie %1 could not be changed: cannot open it (%2).")
                              .arg(QString::fromStdString(path_),
                                   QString::fromLocal8Bit(std::strerror(ENOENT)))});
    EXPECT_EQ(Box("Text7")->Text(), QStringLiteral("Hi"));
    EXPECT_EQ(player_.Actions().back(), "SetFileName()");  // hidden: given nothing back
}

}  // namespace
}  // namespace brelvo::app::testing
