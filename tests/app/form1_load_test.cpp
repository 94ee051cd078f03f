// SPDX-License-Identifier: GPL-2.0-or-later
// The main window after loading a movie: the decoded headers on the tabs, the controls a
// movie's sound and author items enable, the codec list, the display range, the delay bar and
// the key-frame button of the information tab. The texts themselves are the core's, tested there.
#include <QScrollBar>

#include "app/load_messages.h"
#include "platform/qt/limited_text_box.h"
#include "tests/app/form1_harness.h"

namespace brelvo::app::testing {
namespace {

namespace qt = platform::qt;

TEST_F(Form1Test, TheLoadShowsTheDecodedHeadersAndTheRange) {
    const Bytes movie = MakeSimpleMovie({});
    Load(movie);
    EXPECT_TRUE(dialogs_.shown().empty());
    EXPECT_TRUE(form_->isVisible());
    for (const auto& [control, text] : std::vector<std::pair<const char*, QString>>{
             {"Label1", QStringLiteral("Filename: MOVIE.AVI")},
             {"Combo1", QStringLiteral("DIV3 - MPEG4 V3 Cracked ;)")},  // the file's own tag
             {"Label11", QStringLiteral("From: 0 To: 5")},  // rewritten by the range selection
             {"Text3", QStringLiteral("000005")},
             {"Combo3", QStringLiteral("000000 - 000005")}}) {
        EXPECT_EQ(Text(control), text) << control;
    }
    // Every load normalises the time base (here dwScale 1), which is no change of the user's.
    EXPECT_NE(FileBytes(), movie);
    EXPECT_FALSE(form_->document().altered);
}

TEST_F(Form1Test, ControlsFollowTheMoviesSoundAndAuthorItems) {
    const auto expectEnabled = [this](bool enabled) {
        for (const char* name : {"Frame2", "Command12", "Text7", "Command2"}) {
            EXPECT_EQ(form_->Control(QString::fromUtf8(name))->isEnabled(), enabled) << name;
        }
        EXPECT_EQ(form_->Control(QStringLiteral("Frame4"))->isHidden(), !enabled);
    };
    Load(MakeSimpleMovie({}));  // INAM "Test" and a zero byte
    expectEnabled(true);
    auto* name = form_->Control<qt::LimitedTextBox>(QStringLiteral("Text7"));
    EXPECT_EQ(name->Text(), QStringLiteral("Test"));
    EXPECT_FALSE(form_->Control(QStringLiteral("Text4"))->isEnabled());  // no IART in the movie
    Load(MakeSimpleMovie({.withAudio = false, .withInfo = false}));
    expectEnabled(false);
}

// The delay bar shows a quarter of dwStart, halves to the even neighbour; out of its range it
// stays where it is.
TEST_F(Form1Test, TheDelayBarShowsAQuarterOfTheAudioStart) {
    for (const auto& [start, value] : std::vector<std::pair<std::uint32_t, int>>{
             {10, 2}, {14, 4}, {128000, 32000}, {128004, 0}}) {
        Load(MakeSimpleMovie({.audioStart = start}));
        EXPECT_EQ(form_->Control<QScrollBar>(QStringLiteral("HScroll2"))->value(), value)
            << "dwStart " << start;
    }
}

TEST_F(Form1Test, AMovieWithoutIndexSaysSoAndOneThatCannotBeReadEndsTheProgram) {
    Load(MakeSimpleMovie({.withIndex = false}));
    form_->Command15_Click();
    EXPECT_EQ(dialogs_.Texts(), QStringList{NoIndexMessage()});
    EXPECT_EQ(form_->state(), Form1::State::Ready);

    Load(MakeSimpleMovie({}));
    platform::ScopedFileOpenHook refuse(RefuseOpen("gone"));
    form_->Command15_Click();
    EXPECT_EQ(dialogs_.Texts(),
              QStringList{QStringLiteral("There was a problem Opening the File (at procind) - ") +
                          QString::fromStdString(path_)});
    EXPECT_TRUE(form_->ProgramEnded());
}

// Counted once, over every part of a large movie, saying when its index is damaged.
TEST_F(Form1Test, KeyFramesAreCountedOnceFromEveryPartsIndex) {
    using brelvo::testing::OdmlMovie;
    Load(brelvo::testing::MakeOdmlMovie({.damage = OdmlMovie::Damage::LastEntryBeyondFile}));
    EXPECT_EQ(Text("Text3"), QStringLiteral("000010"));  // the display range: every part
    auto* button = form_->Control<QPushButton>(QStringLiteral("Command15"));
    button->click();
    EXPECT_TRUE(button->isHidden());
    EXPECT_EQ(Text("Label2"), QStringLiteral("Frames 10 ( 3 * Key / 7 Delta.) Every 3"));
    ASSERT_EQ(dialogs_.Texts().size(), 1);
    EXPECT_TRUE(
        dialogs_.Texts()[0].startsWith(QStringLiteral("The index of this file is damaged")));
    EXPECT_EQ(form_->state(), Form1::State::Ready);
}

}  // namespace
}  // namespace brelvo::app::testing
