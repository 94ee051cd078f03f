// SPDX-License-Identifier: GPL-2.0-or-later
// The main window after loading a movie: the information tab, the audio frames, the author
// boxes, the codec lists, the display range and delay bar, and the writes every load makes.
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "platform/little_endian.h"
#include "platform/qt/combo_box.h"
#include "platform/qt/limited_text_box.h"
#include "tests/app/form1_harness.h"

namespace brelvo::app::testing {
namespace {

namespace qt = platform::qt;
using brelvo::testing::MakeSimpleMovie;
using brelvo::testing::SimpleMovie;

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
}

TEST_F(Form1Test, FixtureFromAnIndependentWriterLoads) {
    path_ = brelvo::testing::CopyFixture("ffmpeg_mpeg4_pcm.avi");
    Start(QString::fromStdString(path_));
    EXPECT_EQ(Text("Label1"), QStringLiteral("Filename: FFMPEG_MPEG4_PCM.AVI"));
    EXPECT_EQ(Text("Label2"), QStringLiteral("Frames: 50"));
    EXPECT_EQ(Text("Label3"), QStringLiteral("Frames Per Sec: 25.0000"));
    EXPECT_EQ(Text("Label4"), QStringLiteral("File Size: 125904 bytes. (0.12MB.)"));
    EXPECT_EQ(Text("Label10"), QStringLiteral("Resolution 160 x 120"));
    EXPECT_EQ(Text("Label12"), QStringLiteral("Samples Rate: 11025"));
    EXPECT_EQ(Text("Label15"), QStringLiteral("Compression: FMP4 - Unknown"));
    // No list entry has the tag FMP4: nothing is selected.
    EXPECT_EQ(form_->Control<qt::ComboBox>(QStringLiteral("Combo1"))->SelectedIndex(), -1);
}

TEST_F(Form1Test, AudioFramesFollowTheAudioStream) {
    StartOn(MakeSimpleMovie({}));
    EXPECT_TRUE(form_->Control(QStringLiteral("Frame2"))->isEnabled());
    EXPECT_FALSE(form_->Control(QStringLiteral("Frame4"))->isHidden());
    EXPECT_TRUE(form_->Control(QStringLiteral("Command12"))->isEnabled());
    EXPECT_TRUE(form_->Control(QStringLiteral("Command13"))->isEnabled());

    SimpleMovie silent;
    silent.withAudio = false;
    form_.reset();
    StartOn(MakeSimpleMovie(silent));
    EXPECT_FALSE(form_->Control(QStringLiteral("Frame2"))->isEnabled());
    EXPECT_TRUE(form_->Control(QStringLiteral("Frame4"))->isHidden());
    EXPECT_FALSE(form_->Control(QStringLiteral("Command12"))->isEnabled());
    EXPECT_EQ(Text("Label5"), QStringLiteral("Wave Type: "));  // left as built
}

TEST_F(Form1Test, AuthorBoxesTakeTheirItemsWithTheItemsRoom) {
    StartOn(MakeSimpleMovie({}));  // INAM "Test" and a zero byte
    auto* name = form_->Control<qt::LimitedTextBox>(QStringLiteral("Text7"));
    EXPECT_EQ(name->Text(), QStringLiteral("Test"));
    EXPECT_EQ(name->MaxLength(), 5);
    EXPECT_TRUE(name->isEnabled());
    EXPECT_TRUE(form_->Control(QStringLiteral("Command2"))->isEnabled());
    for (const char* other : {"Text4", "Text5", "Text6", "Text8", "Text9", "Text10", "disp"}) {
        EXPECT_FALSE(form_->Control(QString::fromUtf8(other))->isEnabled()) << other;
    }

    form_.reset();
    SimpleMovie bare;
    bare.withInfo = false;
    StartOn(MakeSimpleMovie(bare));
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
    EXPECT_EQ(combo1->count(), 25);
    EXPECT_EQ(combo1->itemText(16), QStringLiteral("MPG4 - MPEG 4 Standard"));
    EXPECT_EQ(combo2->itemText(16), QStringLiteral("MPG4 - MPEG4 Standard"));
    EXPECT_FALSE(apply1->isEnabled());
    EXPECT_FALSE(form_->Control(QStringLiteral("Command3"))->isEnabled());

    combo1->SetSelectedIndex(1);  // another tag: Apply Header may write it
    EXPECT_TRUE(apply1->isEnabled());
    EXPECT_FALSE(form_->Control(QStringLiteral("Command3"))->isEnabled());
    combo1->SetSelectedIndex(6);  // the file's own tag again
    EXPECT_FALSE(apply1->isEnabled());
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

TEST_F(Form1Test, EveryLoadNormalisesTheTimeBaseAndBlanksJunk) {
    using namespace brelvo::testing;
    const Bytes movie =
        Riff("AVI ",
             {List("hdrl",
                   {Chunk("avih", AvihData({})),
                    List("strl", {Chunk("strh", StrhData({})), Chunk("strf", BitmapInfoData())})}),
              Chunk("JUNK", Bytes(21, std::byte{'x'})),
              List("movi", {Chunk("00dc", Bytes(10, std::byte{1}))})});
    StartOn(movie);
    ASSERT_EQ(form_->state(), Form1::State::Ready);
    const Bytes after = FileBytes();
    ASSERT_EQ(after.size(), movie.size());
    const std::size_t strh = FindId(after, "strh") + 8;
    EXPECT_EQ(platform::ReadI32(after, strh + 20), 10000);   // dwScale
    EXPECT_EQ(platform::ReadI32(after, strh + 24), 250000);  // dwRate
    const std::size_t junk = FindId(after, "JUNK") + 8;
    EXPECT_EQ(Bytes(after.begin() + junk, after.begin() + junk + 21), Bytes(21, std::byte{' '}));
    EXPECT_EQ(after[junk + 21], std::byte{0});  // the pad byte is no part of the chunk
    EXPECT_FALSE(form_->document().altered);
}

}  // namespace
}  // namespace brelvo::app::testing
