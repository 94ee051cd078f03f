// SPDX-License-Identifier: GPL-2.0-or-later
// The main window after loading a movie: the decoded headers on the tabs, the controls a
// movie's sound and author items enable, the codec lists, the display range, the delay bar,
// the key-frame button of the information tab and the about window behind the picture. The
// texts themselves are the core's, tested there.
#include <QLabel>
#include <QScrollBar>
#include <QTimer>

#include "app/load_messages.h"
#include "platform/qt/combo_box.h"
#include "platform/qt/image_box.h"
#include "platform/qt/limited_text_box.h"
#include "preview/about_window.h"
#include "tests/app/form1_harness.h"

namespace brelvo::app::testing {
namespace {

namespace qt = platform::qt;

TEST_F(Form1Test, TheLoadShowsTheDecodedHeadersAndTheRange) {
    const Bytes movie = MakeSimpleMovie({});
    Load(movie);
    EXPECT_TRUE(dialogs_.shown().empty());
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("Brelvo"));
    for (const auto& [control, text] : std::vector<std::pair<const char*, QString>>{
             {"Label1", QStringLiteral("Filename: MOVIE.AVI")},
             {"Label4", QStringLiteral("File Size: %1 bytes. (0.00MB.)").arg(movie.size())},
             {"Label17", QStringLiteral("Channels: 2 (i.e. Stereo)")},
             {"Label11", QStringLiteral("From: 0 To: 5")},  // rewritten by the range selection
             {"Label21", QStringLiteral("FPS: 25.0000")},
             {"Text11", QStringLiteral("0.0018")},  // 80 samples at 44100 a second
             {"Text2", QStringLiteral("000000")},   // the range entry copied back
             {"Text3", QStringLiteral("000005")}}) {
        EXPECT_EQ(Text(control), text) << control;
    }
    auto* combo3 = form_->Control<qt::ComboBox>(QStringLiteral("Combo3"));
    EXPECT_EQ(combo3->count(), 1);
    EXPECT_EQ(combo3->Text(), QStringLiteral("000000 - 000005"));
    EXPECT_TRUE(combo3->isEnabled());
    EXPECT_EQ(form_->document().rangeTo, 5);
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
    EXPECT_EQ(name->MaxLength(), 5);
    EXPECT_FALSE(form_->Control(QStringLiteral("Text4"))->isEnabled());  // no IART in the movie
    Load(MakeSimpleMovie({.withAudio = false, .withInfo = false}));
    expectEnabled(false);
}

TEST_F(Form1Test, CodecListsSelectTheFilesTagsAndApplyButtonsStartDisabled) {
    Load(MakeSimpleMovie({}));
    auto* combo1 = form_->Control<qt::ComboBox>(QStringLiteral("Combo1"));
    auto* apply1 = form_->Control<QPushButton>(QStringLiteral("Command1"));
    EXPECT_EQ(combo1->Text(), QStringLiteral("DIV3 - MPEG4 V3 Cracked ;)"));
    EXPECT_EQ(Text("Combo2"), QStringLiteral("DIV3 - MPEG4 V3 Cracked ;)"));
    EXPECT_FALSE(apply1->isEnabled());
    EXPECT_FALSE(form_->Control(QStringLiteral("Command3"))->isEnabled());
    combo1->SetSelectedIndex(1);  // another tag: Apply Header may write it
    EXPECT_TRUE(apply1->isEnabled());
    EXPECT_FALSE(form_->Control(QStringLiteral("Command3"))->isEnabled());
    combo1->SetSelectedIndex(6);  // the file's own tag again
    EXPECT_FALSE(apply1->isEnabled());
}

// The delay bar shows a quarter of dwStart, halves to the even neighbour; out of its range it
// stays where it is.
TEST_F(Form1Test, TheDelayBarShowsAQuarterOfTheAudioStart) {
    for (const auto& [start, value] : std::vector<std::pair<std::uint32_t, int>>{
             {10, 2}, {14, 4}, {1002, 250}, {128000, 32000}, {128004, 0}, {0xFFFFFFFF, 0}}) {
        Load(MakeSimpleMovie({.audioStart = start}));
        EXPECT_EQ(form_->Control<QScrollBar>(QStringLiteral("HScroll2"))->value(), value)
            << "dwStart " << start;
    }
}

TEST_F(Form1Test, AMovieWithoutIndexSaysSoAndOneThatCannotBeReadEndsTheProgram) {
    Load(MakeSimpleMovie({.withIndex = false}));
    form_->Command15_Click();
    EXPECT_EQ(dialogs_.Texts(), QStringList{NoIndexMessage()});
    EXPECT_EQ(Text("Label2"), QStringLiteral("Frames: 5"));
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
    EXPECT_EQ(button->text(), QStringLiteral("Click to Calculate Keyframes"));
    button->click();
    EXPECT_TRUE(button->isHidden());
    EXPECT_EQ(Text("Label2"), QStringLiteral("Frames 10 ( 3 * Key / 7 Delta.) Every 3"));
    EXPECT_EQ(form_->document().keyFrameCount, 3);
    ASSERT_EQ(dialogs_.Texts().size(), 1);
    EXPECT_TRUE(
        dialogs_.Texts()[0].startsWith(QStringLiteral("The index of this file is damaged")));
    EXPECT_EQ(form_->state(), Form1::State::Ready);
}

TEST_F(Form1Test, ThePictureOpensTheAboutWindowModally) {
    Load(MakeSimpleMovie({}));
    auto* picture = form_->Control<platform::qt::ImageBox>(QStringLiteral("Image2"));
    EXPECT_EQ(picture->toolTip(), QStringLiteral("Click Here for more"));
    QString versionLine;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<preview::AboutWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        modal = about->isModal() || about->windowModality() != Qt::NonModal;
        versionLine = about->Controls().Get<QLabel>(QStringLiteral("Label32"))->text();
        about->Controls().Get<QPushButton>(QStringLiteral("Command1"))->click();
    });
    picture->Click();  // returns once OK closed the window
    EXPECT_TRUE(modal);
    EXPECT_EQ(versionLine, QStringLiteral("Version 1.2 (31-01-2001)"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace brelvo::app::testing
