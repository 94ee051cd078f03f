// SPDX-License-Identifier: GPL-2.0-or-later
// The main window after loading a movie: the information tab, the audio frames, the author
// boxes, the codec lists, the display range and the delay bar.
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "platform/qt/combo_box.h"
#include "platform/qt/limited_text_box.h"
#include "tests/app/form1_harness.h"

namespace brelvo::app::testing {
namespace {

namespace qt = platform::qt;
using brelvo::testing::MakeSimpleMovie;

TEST_F(Form1Test, InformationTabShowsTheDecodedHeaders) {
    const Bytes movie = MakeSimpleMovie({});
    Form1& form = StartOn(movie);
    ASSERT_EQ(form.state(), Form1::State::Ready);
    EXPECT_TRUE(dialogs_.shown().empty());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Brelvo"));
    const std::vector<std::pair<const char*, QString>> expected = {
        {"Label1", QStringLiteral("Filename: MOVIE.AVI")},
        {"Label15", QStringLiteral("Compression: DIV3 - MPEG4 V3 Cracked ;)")},
        {"Label2", QStringLiteral("Frames: 5")},
        {"Label3", QStringLiteral("Frames Per Sec: 25.0000")},
        {"Label4", QStringLiteral("File Size: %1 bytes. (0.00MB.)").arg(movie.size())},
        {"Label6", QStringLiteral("MicroSeconds Per Frame: 40000")},
        {"Label7", QStringLiteral("Peak Bitrate: 0")},
        {"Label8", QStringLiteral("Running Time: 0.2000 Secs.")},
        {"Label9", QStringLiteral("Streams (i.e. Video,Audio): 2")},
        {"Label10", QStringLiteral("Resolution 64 x 48")},
        {"Label11", QStringLiteral("From: 0 To: 5")},  // rewritten by the range selection
        {"Label13", QStringLiteral("Quality Level: 10000 (1 - 10000)")},
        {"Label14", QStringLiteral("Colour Depth: 24Bits.")},
        {"Label18", QStringLiteral("Audio Delay: 0 Secs.")},
        {"Label5", QStringLiteral("Wave Type: 1 - Microsoft PCM")},
        {"Label12", QStringLiteral("Samples Rate: 44100")},
        {"Label16", QStringLiteral("Bit Depth: 16")},
        {"Label17", QStringLiteral("Channels: 2 (i.e. Stereo)")},
        {"Text1", QStringLiteral("25.0000")},
        {"Label21", QStringLiteral("FPS: 25.0000")},
        {"Text11", QStringLiteral("0.0018")},  // 80 samples at 44100 a second
    };
    for (const auto& [control, text] : expected) {
        EXPECT_EQ(Text(control), text) << control;
    }
    // Every load normalises the time base (here dwScale 1) in the file, which is no change
    // of the user's.
    EXPECT_NE(FileBytes(), movie);
    EXPECT_FALSE(form.document().altered);
}

TEST_F(Form1Test, ControlsFollowTheMoviesSoundAndAuthorItems) {
    StartOn(MakeSimpleMovie({}));  // INAM "Test" and a zero byte
    EXPECT_TRUE(form_->Control(QStringLiteral("Frame2"))->isEnabled());
    EXPECT_FALSE(form_->Control(QStringLiteral("Frame4"))->isHidden());
    EXPECT_TRUE(form_->Control(QStringLiteral("Command12"))->isEnabled());
    auto* name = form_->Control<qt::LimitedTextBox>(QStringLiteral("Text7"));
    EXPECT_EQ(name->Text(), QStringLiteral("Test"));
    EXPECT_EQ(name->MaxLength(), 5);
    EXPECT_TRUE(form_->Control(QStringLiteral("Command2"))->isEnabled());
    for (const char* other : {"Text4", "Text5", "Text6", "Text8", "Text9", "Text10", "disp"}) {
        EXPECT_FALSE(form_->Control(QString::fromUtf8(other))->isEnabled()) << other;
    }

    form_.reset();
    StartOn(MakeSimpleMovie({.withAudio = false, .withInfo = false}));
    EXPECT_FALSE(form_->Control(QStringLiteral("Frame2"))->isEnabled());
    EXPECT_TRUE(form_->Control(QStringLiteral("Frame4"))->isHidden());
    EXPECT_FALSE(form_->Control(QStringLiteral("Command12"))->isEnabled());
    EXPECT_FALSE(form_->Control(QStringLiteral("Text7"))->isEnabled());
    EXPECT_FALSE(form_->Control(QStringLiteral("Command2"))->isEnabled());
}

TEST_F(Form1Test, CodecListsSelectTheFilesTagsAndApplyButtonsStartDisabled) {
    StartOn(MakeSimpleMovie({}));
    auto* combo1 = form_->Control<qt::ComboBox>(QStringLiteral("Combo1"));
    auto* combo2 = form_->Control<qt::ComboBox>(QStringLiteral("Combo2"));
    auto* apply1 = form_->Control<QPushButton>(QStringLiteral("Command1"));
    EXPECT_EQ(combo1->Text(), QStringLiteral("DIV3 - MPEG4 V3 Cracked ;)"));
    EXPECT_EQ(combo2->Text(), QStringLiteral("DIV3 - MPEG4 V3 Cracked ;)"));
    EXPECT_FALSE(apply1->isEnabled());
    EXPECT_FALSE(form_->Control(QStringLiteral("Command3"))->isEnabled());

    combo1->SetSelectedIndex(1);  // another tag: Apply Header may write it
    EXPECT_TRUE(apply1->isEnabled());
    EXPECT_FALSE(form_->Control(QStringLiteral("Command3"))->isEnabled());
    combo1->SetSelectedIndex(6);  // the file's own tag again
    EXPECT_FALSE(apply1->isEnabled());

    form_.reset();
    path_ = brelvo::testing::CopyFixture("ffmpeg_mpeg4_pcm.avi");
    Start(QString::fromStdString(path_));  // no list entry has the tag FMP4: none is selected
    EXPECT_EQ(form_->Control<qt::ComboBox>(QStringLiteral("Combo1"))->SelectedIndex(), -1);
}

TEST_F(Form1Test, LoadDriverFillsTheRangeAndTheDelayBar) {
    StartOn(MovieWithAudioStart(10));
    auto* combo3 = form_->Control<qt::ComboBox>(QStringLiteral("Combo3"));
    ASSERT_EQ(combo3->count(), 1);
    EXPECT_EQ(combo3->itemText(0), QStringLiteral("000000 - 000005"));
    EXPECT_EQ(combo3->SelectedIndex(), 0);
    EXPECT_TRUE(combo3->isEnabled());
    // The selected entry's ends were copied back into the boxes.
    EXPECT_EQ(Text("Text2"), QStringLiteral("000000"));
    EXPECT_EQ(Text("Text3"), QStringLiteral("000005"));
    EXPECT_EQ(form_->document().rangeFrom, 0);
    EXPECT_EQ(form_->document().rangeTo, 5);

    // A quarter of dwStart, halves to the even neighbour; out of the bar's range: unchanged.
    const std::vector<std::pair<std::uint32_t, int>> cases = {
        {10, 2}, {14, 4}, {1002, 250}, {128000, 32000}, {128004, 0}, {0xFFFFFFFF, 0}};
    for (const auto& [start, value] : cases) {
        form_.reset();
        StartOn(MovieWithAudioStart(start));
        EXPECT_EQ(form_->Control<QScrollBar>(QStringLiteral("HScroll2"))->value(), value)
            << "dwStart " << start;
    }
}

}  // namespace
}  // namespace brelvo::app::testing
