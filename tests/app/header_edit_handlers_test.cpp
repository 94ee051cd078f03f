// SPDX-License-Identifier: GPL-2.0-or-later
// The header edits of the Synchronize Audio and Utilities tabs driven through their widgets on
// one movie: the field each writes, the readouts, the player calls, and the messages of
// refusals and failed writes. What the edits write is the core's, tested there.
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QScrollBar>

#include "platform/qt/combo_box.h"
#include "tests/app/form1_harness.h"
#include "tests/support/comma_locale.h"
#include "tests/support/fault_injection.h"

namespace brelvo::app::testing {
namespace {

class HeaderEditTest : public Form1Test {
  protected:
    QScrollBar* Bar(const char* name) const {
        return form_->Control<QScrollBar>(QString::fromUtf8(name));
    }
    std::string TagAt(std::int64_t offset) const {
        return platform::ReadFourCC(FileBytes(), static_cast<std::size_t>(offset));
    }
    void Choose(const char* combo, const char* entryStart) {
        auto* list = form_->Control<platform::qt::ComboBox>(QString::fromUtf8(combo));
        list->SetSelectedIndex(list->findText(QString::fromUtf8(entryStart), Qt::MatchStartsWith));
    }
    bool Enabled(const char* name) const {
        return form_->Control(QString::fromUtf8(name))->isEnabled();
    }
    const avi::HeaderRecord& Record() const { return form_->document().record; }
};

TEST_F(HeaderEditTest, CodecAppliesWriteEachTagIntoItsOwnField) {
    Load(MakeSimpleMovie({}));
    EXPECT_FALSE(Enabled("Command1"));  // the file's own tag: nothing to apply
    Choose("Combo1", "RGB ");
    Click("Command1", 3);
    EXPECT_EQ(TagAt(Record().videoHandlerOffset), "rgb ");
    EXPECT_EQ(TagAt(Record().videoCompressionOffset), "DIV3");
    EXPECT_FALSE(Enabled("Command1"));
    EXPECT_TRUE(form_->document().altered);
    EXPECT_EQ(player_.Actions(), Released());
    Choose("Combo2", "DIB ");
    Click("Command3", 3);
    EXPECT_EQ(TagAt(Record().videoCompressionOffset), "dib ");
}

// In a comma-decimal locale, as most of Europe runs the program: the readouts show commas, and
// typed points and commas read alike.
TEST_F(HeaderEditTest, TheRateBarTheTypedRateTheirReadoutsAndTheirApply) {
    const brelvo::testing::CommaLocale comma;
    BRELVO_ASSERT_COMMA_LOCALE(comma);
    Load(MakeSimpleMovie({}));
    for (const auto& [button, step] : {std::pair{"Command5", -10000}, {"Command7", 10}}) {
        Bar("HScroll1")->setValue(0);
        Click(button, 1);
        EXPECT_EQ(Bar("HScroll1")->value(), step) << button;
    }
    Type("Text11", QStringLiteral("0,2"));  // seconds of sound
    Bar("HScroll1")->setValue(-10000);
    EXPECT_EQ(Text("Text12"), QStringLiteral("Stretch to 104,1667 %"));
    Click("Command4", 1);
    EXPECT_EQ(U32At(Record().videoRateOffset), 240000u);
    EXPECT_EQ(Bar("HScroll1")->value(), 0);
    EXPECT_EQ(Text("Label3"), QStringLiteral("Frames Per Sec: 24,0000"));
    EXPECT_EQ(player_.Actions(), Released());

    dialogs_.QueueInput(QStringLiteral("23.976"));
    Click("Command9", 1);
    EXPECT_EQ(dialogs_.Proposed()[0], QStringLiteral("24,0000"));
    EXPECT_EQ(U32At(Record().videoRateOffset), 239760u);
    EXPECT_EQ(Text("Label3"), QStringLiteral("Frames Per Sec: 23,9760"));
    player_.ClearCalls();
    const Bytes before = FileBytes();
    dialogs_.QueueInput(std::nullopt);  // cancelled
    Click("Command9", 1);
    EXPECT_EQ(FileBytes(), before);
    EXPECT_TRUE(player_.Actions().empty());
}

TEST_F(HeaderEditTest, RefusalsAndFailedWritesAreReportedAndTheDocumentStaysAsTheFileIs) {
    Load(MakeSimpleMovie({}));
    const Bytes loaded = FileBytes();
    dialogs_.QueueInput(QStringLiteral("300000"));
    Click("Command9", 1);
    ASSERT_EQ(dialogs_.Texts().size(), 2);  // the input box, the refusal
    EXPECT_TRUE(dialogs_.Texts()[1].startsWith(QStringLiteral("Nothing was written to ") +
                                               QString::fromStdString(path_)));
    EXPECT_EQ(FileBytes(), loaded);

    dialogs_ = {};
    player_.ClearCalls();
    Click("Command8", 1);
    {
        platform::ScopedFileOpenHook held(RefuseOpen("held by another program"));
        Click("Command4", 1);
    }
    EXPECT_EQ(dialogs_.Texts(),
              QStringList{QStringLiteral("The movie %1 could not be changed: cannot open it "
                                         "(held by another program).")
                              .arg(QString::fromStdString(path_))});
    EXPECT_EQ(Record().videoRate, 250000);
    EXPECT_EQ(Bar("HScroll1")->value(), 10000);  // the bar keeps the change not made

    // A write that fails part-way says how much of the edit reached the file.
    {
        platform::ScopedFaultInjection secondWrite(
            platform::FaultPlan(platform::FaultKind::Write, 2));
        Click("Command4", 1);
    }
    EXPECT_TRUE(dialogs_.Texts().back().endsWith(
        u"(Input/output error (injected)); 4 of the edit's bytes had been written before it."))
        << dialogs_.Texts().back().toStdString();
}

TEST_F(HeaderEditTest, DelayApplyItsMenuItemAndJinkAudio) {
    Load(MakeSimpleMovie({.audioStart = 1002}));
    Click("Command11", 1);
    EXPECT_EQ(U32At(Record().audioStartOffset), 1000u);
    EXPECT_EQ(Text("Label18"), QStringLiteral("Audio Delay: 0.02268 Sec."));
    EXPECT_TRUE(form_->document().altered);

    // "Jink Audio" leads to the ticked option.
    Click("Command14", 1);
    EXPECT_TRUE(form_->Control<QCheckBox>(QStringLiteral("Check1"))->isChecked());
    EXPECT_TRUE(form_->Control(QStringLiteral("Text14"))->isVisible());

    // The menu item writes the same way but does not mark the movie altered.
    Load(MakeSimpleMovie({}));
    Bar("HScroll2")->setValue(32000);
    form_->mymenu()->findChild<QAction*>(QStringLiteral("frdelay"))->trigger();
    EXPECT_EQ(U32At(Record().audioStartOffset), 128000u);
    EXPECT_FALSE(form_->document().altered);
}

}  // namespace
}  // namespace brelvo::app::testing
