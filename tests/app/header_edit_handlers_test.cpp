// The header edits of the Synchronize Audio and Utilities tabs driven through their widgets:
// the bytes each writes, the readouts, the player calls, refusals and failed writes.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <filesystem>

#include "platform/file_open_hook.h"
#include "platform/io_error.h"
#include "platform/number_text.h"
#include "platform/qt/combo_box.h"
#include "platform/qt/tab_control.h"
#include "tests/app/form1_harness.h"

namespace brelvo::app::testing {
namespace {

using brelvo::testing::MakeSimpleMovie;
using Calls = std::vector<std::string>;

class HeaderEditTest : public Form1Test {
  protected:
    Form1& Load(const Bytes& movie) {
        original_ = movie;
        Start(QString::fromStdString(path_ = brelvo::testing::WriteTempFile(movie)));
        EXPECT_EQ(form_->state(), Form1::State::Ready);
        player_.ClearCalls();
        return *form_;
    }
    void Click(const char* button, int tab) {
        form_->SSTab1()->SetTab(tab, false);
        QTest::mouseClick(form_->Control<QPushButton>(QString::fromUtf8(button)), Qt::LeftButton);
    }
    QScrollBar* Bar(const char* name) const {
        return form_->Control<QScrollBar>(QString::fromUtf8(name));
    }
    std::uint32_t U32At(std::int64_t offset) const {
        const Bytes bytes = FileBytes();
        std::uint32_t value = 0;
        for (int k = 3; k >= 0; --k)
            value = (value << 8) | std::to_integer<std::uint32_t>(bytes[offset + k]);
        return value;
    }
    std::string TagAt(std::int64_t offset) const {
        const Bytes bytes = FileBytes();
        return {reinterpret_cast<const char*>(bytes.data() + offset), 4};
    }
    void Choose(const char* combo, const QString& entryStart) {
        auto* list = form_->Control<platform::qt::ComboBox>(QString::fromUtf8(combo));
        list->SetSelectedIndex(list->findText(entryStart, Qt::MatchStartsWith));
    }
    const avi::HeaderRecord& Record() const { return form_->document().record; }
    // The player given the file back, as the frame-rate Apply does it.
    Calls ReleaseThenFile() const {
        return {"Stop", "SavedValue", "SetFileName()", "SetFileName(" + path_ + ")"};
    }

    Bytes original_;
};

// An audio-only movie: no video stream header, so no frame rate or codec field to write.
Bytes AudioOnlyMovie() {
    using namespace brelvo::testing;
    StrhFields audio;
    audio.fccType = "auds";
    audio.scale = 4;
    audio.rate = 176400;
    audio.sampleSize = 4;
    return Riff("AVI ", {List("hdrl", {Chunk("avih", AvihData({})),
                                       List("strl", {Chunk("strh", StrhData(audio)),
                                                     Chunk("strf", WaveFormatData())})}),
                         List("movi", {})});
}

TEST_F(HeaderEditTest, CodecAppliesWriteLowerCaseTagsEachIntoItsOwnField) {
    Load(MakeSimpleMovie({}));
    const auto handlerAt = Record().videoHandlerOffset;
    const auto compressionAt = Record().videoCompressionOffset;
    auto* command1 = form_->Control<QPushButton>(QStringLiteral("Command1"));
    auto* command3 = form_->Control<QPushButton>(QStringLiteral("Command3"));

    Choose("Combo1", QStringLiteral("RGB "));
    ASSERT_TRUE(command1->isEnabled());
    Click("Command1", 3);
    EXPECT_EQ(TagAt(handlerAt), "rgb ");
    EXPECT_EQ(TagAt(compressionAt), "DIV3");  // the other field and button are untouched
    EXPECT_FALSE(command1->isEnabled());
    EXPECT_FALSE(command3->isEnabled());
    EXPECT_TRUE(form_->document().altered);
    EXPECT_EQ(player_.Actions(), (Calls{"Stop", "SavedValue", "SetFileName()"}));

    Choose("Combo2", QStringLiteral("DIB "));
    Click("Command3", 3);
    EXPECT_EQ(TagAt(compressionAt), "dib ");
    EXPECT_EQ(TagAt(handlerAt), "rgb ");
    Choose("Combo2", QStringLiteral("CVID"));
    Click("Command3", 3);
    EXPECT_EQ(TagAt(compressionAt), "cvid");

    Choose("Combo1", QStringLiteral("RGB "));  // the tag last applied
    EXPECT_FALSE(command1->isEnabled());
}

TEST_F(HeaderEditTest, MinusOneFrameAppliedWritesTheRateAndTheExitPromptUndoesIt) {
    Load(MakeSimpleMovie({}));
    Click("Command5", 1);
    EXPECT_EQ(Bar("HScroll1")->value(), -10000);
    EXPECT_EQ(Text("Label21"), QStringLiteral("FPS: 24.0000"));
    Click("Command4", 1);
    EXPECT_EQ(U32At(Record().videoRateOffset), 240000u);
    EXPECT_EQ(U32At(Record().microSecOffset), 41666u);
    EXPECT_EQ(Bar("HScroll1")->value(), 0);
    EXPECT_EQ(Text("Label21"), QStringLiteral("FPS: 24.0000"));
    EXPECT_EQ(Text("Label3"), QStringLiteral("Frames Per Sec: 24.0000"));
    EXPECT_EQ(Text("Label6"), QStringLiteral("MicroSeconds Per Frame: 41666.67"));
    EXPECT_EQ(Text("Label11"), QStringLiteral("From: 0 To: 5"));
    EXPECT_EQ(player_.Actions(),
              (Calls{ReleaseThenFile()[0], ReleaseThenFile()[1], ReleaseThenFile()[2],
                     ReleaseThenFile()[3], "SetSavedValue(50)"}));
    EXPECT_EQ(player_.Calls().back(), "SetAutoStart(true)");  // member 1086 before the reselect

    dialogs_.QueueYesNo(false);
    form_->close();
    EXPECT_EQ(FileBytes(), original_);  // the load's normalisation is undone as well
}

TEST_F(HeaderEditTest, StepButtonsKeepTheBarWithinTheirLimitsAndApplyAccumulates) {
    Load(MakeSimpleMovie({}));
    Click("Command7", 1);
    Click("Command7", 1);
    Click("Command4", 1);
    EXPECT_EQ(U32At(Record().videoRateOffset), 250020u);

    Bar("HScroll1")->setValue(31000);
    Click("Command8", 1);
    EXPECT_EQ(Bar("HScroll1")->value(), 31000);
    Click("Command7", 1);
    EXPECT_EQ(Bar("HScroll1")->value(), 31010);
    Bar("HScroll1")->setValue(-32767);  // a drag reaches the bar's own end
    Click("Command6", 1);
    EXPECT_EQ(Bar("HScroll1")->value(), -32767);
    Click("Command10", 1);
    EXPECT_EQ(Bar("HScroll1")->value(), 0);
}

TEST_F(HeaderEditTest, TypedRatesAreCutToTenThousandthsAndZeroMeansTen) {
    Load(MakeSimpleMovie({}));
    const auto rateAt = Record().videoRateOffset;
    const auto microAt = Record().microSecOffset;
    for (const auto& [typed, rate, micro] :
         {std::tuple{"29.97", 299700u, 33366u}, std::tuple{"0", 100000u, 100000u},
          std::tuple{"fast", 100000u, 100000u}, std::tuple{"23.97659", 239765u, 41707u}}) {
        dialogs_.QueueInput(QString::fromUtf8(typed));
        Click("Command9", 1);
        EXPECT_EQ(U32At(rateAt), rate) << typed;
        EXPECT_EQ(U32At(microAt), micro) << typed;
    }
    ASSERT_EQ(dialogs_.shown().size(), 4u);
    EXPECT_EQ(dialogs_.shown()[0].text, QStringLiteral("Desired Frame Rate"));
    EXPECT_EQ(dialogs_.shown()[0].title, QStringLiteral("FPS"));
    EXPECT_EQ(dialogs_.Proposed()[0], QStringLiteral("25.0000"));
    EXPECT_EQ(Text("Label21"), QStringLiteral("FPS: 23.9765"));

    // Cancelled: nothing written and the player untouched.
    player_.ClearCalls();
    const Bytes before = FileBytes();
    dialogs_.QueueInput(std::nullopt);
    Click("Command9", 1);
    EXPECT_EQ(FileBytes(), before);
    EXPECT_TRUE(player_.Actions().empty());
}

TEST_F(HeaderEditTest, TheProposedRateReadsBackUnderACommaLocale) {
    platform::SetDecimalSeparator(',');
    Load(MakeSimpleMovie({}));
    dialogs_.QueueInput(QStringLiteral("25,0000"));
    Click("Command9", 1);
    platform::SetDecimalSeparator('.');
    EXPECT_EQ(dialogs_.Proposed().value(0), QStringLiteral("25,0000"));
    EXPECT_EQ(U32At(Record().videoRateOffset), 250000u);
    // The saved player value is not put back after a typed rate.
    EXPECT_EQ(player_.Actions(), ReleaseThenFile());
}

TEST_F(HeaderEditTest, RatesThatCannotBeWrittenAreRefusedAndNothingChanges) {
    Bytes movie = MakeSimpleMovie({});
    PutU32(movie, FindId(movie, "strh") + 8 + 24, 2);  // 2 fps: the bar can take it below 0
    Load(movie);
    const Bytes loaded = FileBytes();
    const QString label3 = Text("Label3");
    for (const char* typed : {"-5", "300000"}) {
        dialogs_.QueueInput(QString::fromUtf8(typed));
        Click("Command9", 1);
    }
    Bar("HScroll1")->setValue(-32767);
    Click("Command4", 1);
    EXPECT_EQ(FileBytes(), loaded);
    const QStringList texts = dialogs_.Texts();
    ASSERT_EQ(texts.size(), 5);  // two input boxes, three refusals
    for (const int i : {1, 3, 4}) {
        EXPECT_TRUE(texts[i].startsWith(QStringLiteral("Nothing was written to ") +
                                        QString::fromStdString(path_)))
            << texts[i].toStdString();
    }
    EXPECT_TRUE(texts[1].contains(QStringLiteral("0 or less")));
    EXPECT_TRUE(texts[3].contains(QStringLiteral("32 bits")));
    EXPECT_TRUE(texts[4].contains(QStringLiteral("0 or less")));
    EXPECT_EQ(Text("Label3"), label3);
    EXPECT_EQ(Bar("HScroll1")->value(), -32767);  // the bar keeps the change not made

    // Without a video stream header nothing has a place to go.
    dialogs_ = {};
    Load(AudioOnlyMovie());
    Click("Command4", 1);
    Choose("Combo1", QStringLiteral("RGB "));
    EXPECT_FALSE(form_->Control<QPushButton>(QStringLiteral("Command1"))->isEnabled());
    EXPECT_EQ(FileBytes(), original_);
    ASSERT_EQ(dialogs_.shown().size(), 1u);
    EXPECT_TRUE(dialogs_.shown()[0].text.contains(QStringLiteral("no video stream header")));
}

TEST_F(HeaderEditTest, AFailedWriteIsReportedAndTheLabelsStayAsTheFileIs) {
    Load(MakeSimpleMovie({}));
    const QString label3 = Text("Label3");
    Click("Command8", 1);
    {
        platform::ScopedFileOpenHook held([](const std::string& p, platform::OpenMode,
                                             std::unique_ptr<platform::RandomAccessFile>)
                                              -> std::unique_ptr<platform::RandomAccessFile> {
            throw platform::IoError(platform::FileOp::Open, p, "held by another program");
        });
        Click("Command4", 1);
        Choose("Combo1", QStringLiteral("RGB "));
        Click("Command1", 3);
    }
    EXPECT_EQ(dialogs_.Texts(),
              QStringList(2, QStringLiteral("The movie %1 could not be changed: cannot open it "
                                            "(held by another program).")
                                 .arg(QString::fromStdString(path_))));
    EXPECT_EQ(Record().videoRate, 250000);
    EXPECT_EQ(Record().videoHandler, "DIV3");
    EXPECT_EQ(Text("Label3"), label3);
    EXPECT_EQ(Bar("HScroll1")->value(), 10000);
    // The chosen tag is still not in the file, so it can be applied again.
    EXPECT_TRUE(form_->Control<QPushButton>(QStringLiteral("Command1"))->isEnabled());
    EXPECT_EQ(player_.Actions()[3], "SetFileName(" + path_ + ")");  // the player gets it back
}

TEST_F(HeaderEditTest, StretchReadoutFollowsTheBarAndTheAudioLength) {
    Bytes movie = MakeSimpleMovie({});
    PutU32(movie, FindId(movie, "avih") + 8 + 16, 1000);  // dwTotalFrames: 40 s at 25 fps
    Load(movie);
    auto* text11 = form_->Control<QLineEdit>(QStringLiteral("Text11"));
    const auto type = [&](const QString& length) {
        text11->selectAll();
        QTest::keyClicks(text11, length);
    };
    type(QStringLiteral("0"));
    const QString before = Text("Text12");
    Bar("HScroll1")->setValue(-5000);
    EXPECT_EQ(Text("Label21"), QStringLiteral("FPS: 24.5000"));
    EXPECT_EQ(Text("Text12"), before);  // no audio length: no stretch figure

    type(QStringLiteral("40"));
    Bar("HScroll1")->setValue(-10000);
    EXPECT_EQ(Text("Text12"), QStringLiteral("Stretch to 104.1667 %"));
}

TEST_F(HeaderEditTest, DelayApplyWritesFourUnitsPerStepAndShowsBothReadouts) {
    Load(MovieWithAudioStart(1002));
    EXPECT_EQ(Bar("HScroll2")->value(), 250);  // 250.5 to the even neighbour
    EXPECT_EQ(Text("Label19"), QStringLiteral("0.01134 Sec."));
    form_->document().rangeFrom = 3;
    Click("Command11", 1);
    const auto startAt = Record().audioStartOffset;
    EXPECT_EQ(U32At(startAt), 1000u);
    EXPECT_EQ(Text("Label18"), QStringLiteral("Audio Delay: 0.02268 Sec."));
    EXPECT_TRUE(form_->document().altered);
    EXPECT_EQ(form_->document().rangeFrom, 0);
    EXPECT_EQ(player_.Actions(),
              (Calls{"Stop", "SavedValue", "SetFileName()", "SetFileName(" + path_ + ")",
                     "SetSavedValue(50)", "SetSelectionStart(0)", "SetSelectionEnd(5)", "Play"}));

    // The menu item writes the same way but does not mark the movie altered.
    Load(MovieWithAudioStart(0));
    Bar("HScroll2")->setValue(32000);
    form_->mymenu()->findChild<QAction*>(QStringLiteral("frdelay"))->trigger();
    EXPECT_EQ(U32At(Record().audioStartOffset), 128000u);
    EXPECT_FALSE(form_->document().altered);
}

TEST_F(HeaderEditTest, DelayReadoutsShowNothingForAZeroDivisor) {
    Bytes movie = MakeSimpleMovie({});
    PutU32(movie, FindId(movie, "strh", 1) + 8 + 44, 0);  // audio dwSampleSize
    Load(movie);
    Bar("HScroll2")->setValue(100);
    EXPECT_EQ(Text("Label19"), QStringLiteral("0"));
    Click("Command11", 1);
    EXPECT_EQ(Text("Label18"), QStringLiteral("Audio Delay: 0.00907 Sec."));
}

TEST_F(HeaderEditTest, JinkAudioLeadsToTheTickedAndFocusedOption) {
    Load(MakeSimpleMovie({}));
    auto* check1 = form_->Control<QCheckBox>(QStringLiteral("Check1"));
    check1->setChecked(true);
    check1->setChecked(false);
    EXPECT_FALSE(form_->Control(QStringLiteral("Text14"))->isVisibleTo(form_.get()));
    Click("Command14", 1);
    EXPECT_EQ(form_->SSTab1()->Tab(), 3);
    EXPECT_TRUE(check1->isChecked());
    EXPECT_EQ(form_->focusWidget(), check1);
    EXPECT_TRUE(form_->Control(QStringLiteral("Text14"))->isVisible());
    EXPECT_TRUE(form_->Control(QStringLiteral("Label29"))->isVisible());
}

}  // namespace
}  // namespace brelvo::app::testing
