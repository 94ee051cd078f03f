// SPDX-License-Identifier: GPL-2.0-or-later
// The Author Details Apply driven through its boxes on one movie: typed text (line breaks
// too) reaches each item padded as the core pads it, the boxes show what was written, the
// player and the messages. The padding rules are the core's, tested there.
#include <QTest>

#include "platform/qt/limited_text_box.h"
#include "tests/app/form1_harness.h"

namespace brelvo::app::testing {
namespace {

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

// INAM holds 5 bytes: "Hi" is padded with blanks and one NUL; "ab", a line break and "cd" is
// five characters in the box but six bytes, cut to five. Only the item's bytes change.
TEST_F(AuthorApplyTest, TypedTextReachesItsItemAndTheBoxShowsWhatWasWritten) {
    Load(MakeSimpleMovie({}));
    const Bytes loaded = FileBytes();
    const auto withName = [&](std::string_view name) {
        Bytes expected = loaded;
        std::transform(name.begin(), name.end(),
                       expected.begin() + brelvo::testing::OffsetOf(loaded, "INAM") + 8,
                       [](char c) { return static_cast<std::byte>(c); });
        return expected;
    };
    Type("Text7", QStringLiteral("Hi"));
    form_->SSTab1_Click(0);  // a shown preview gets the movie back
    player_.ClearCalls();
    Click("Command2", 2);
    EXPECT_EQ(FileBytes(), withName({"Hi  \0", 5}));
    EXPECT_EQ(Box("Text7")->Text(), QStringLiteral("Hi  "));
    EXPECT_EQ(player_.Actions(), ReleasedAndRestored());
    Type("Text7", QStringLiteral("ab\ncd"));
    Click("Command2", 2);
    EXPECT_EQ(FileBytes(), withName("ab\r\nc"));
    EXPECT_EQ(dialogs_.Texts(),
              QStringList{QStringLiteral(
                  "The Name text was cut to the 5 bytes its item holds in the file.")});
}

// The name box holds the 5 bytes of INAM: typing stops there, a line break being a character too.
TEST_F(AuthorApplyTest, TheBoxesTakeNoMoreThanTheirItem) {
    StartOn(MakeSimpleMovie({}));
    Type("Text7", QStringLiteral("Hi\nthere"));
    EXPECT_EQ(Box("Text7")->Text(), QStringLiteral("Hi\nth"));
}

}  // namespace
}  // namespace brelvo::app::testing
