// SPDX-License-Identifier: GPL-2.0-or-later
// The display selection and the preview window as the main window runs them: the boxes, the
// Recent list with its nested re-apply, the restart of a shown preview, and its reopening.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "app/form1.h"
#include "platform/qt/combo_box.h"
#include "tests/support/fake_media_player.h"
#include "tests/support/qt_application_environment.h"
#include "tests/support/riff_builder.h"
#include "tests/support/scripted_dialogs.h"

namespace brelvo::app {
namespace {

namespace bt = brelvo::testing;

// A video-only movie whose main header counts `totalFrames`, however few chunks it holds.
bt::Bytes MovieOf(std::uint32_t totalFrames) {
    bt::AvihFields avih;
    avih.totalFrames = totalFrames;
    avih.streams = 1;
    const auto strl = bt::List(
        "strl", {bt::Chunk("strh", bt::StrhData({})), bt::Chunk("strf", bt::BitmapInfoData())});
    return bt::Riff("AVI ", {bt::List("hdrl", {bt::Chunk("avih", bt::AvihData(avih)), strl}),
                             bt::List("movi", {bt::Chunk("00dc", bt::Bytes(100))})});
}

class SelectionTest : public ::testing::Test {
  protected:
    void Open(std::uint32_t totalFrames) {
        path = QString::fromStdString(bt::WriteTempFile(MovieOf(totalFrames)));
        form1 = std::make_unique<Form1>(player, dialogs, path, std::chrono::milliseconds(200));
        form1->SetEndProgram([] {});
        form1->Form_Load();
        ASSERT_EQ(form1->state(), Form1::State::Ready);
    }
    QLineEdit* Box(const char* name) { return form1->Control<QLineEdit>(QString::fromUtf8(name)); }
    platform::qt::ComboBox* Combo3() {
        return form1->Control<platform::qt::ComboBox>(QStringLiteral("Combo3"));
    }
    QString Label11() { return form1->Control<QLabel>(QStringLiteral("Label11"))->text(); }
    void Type(const char* from, const char* to) {
        Box("Text2")->setText(QString::fromUtf8(from));
        Box("Text3")->setText(QString::fromUtf8(to));
    }

    platform::qt::FakeMediaPlayer player;
    platform::qt::ScriptedDialogs dialogs;
    QString path;
    std::unique_ptr<Form1> form1;
};

TEST_F(SelectionTest, ApplyAddsTheRangeOnceAndCorrectsOutOfRangeEnds) {
    Open(3000);
    Type("100", "2500");
    form1->Command16_Click();
    EXPECT_EQ(Label11(), QStringLiteral("From: 100 To: 2500"));
    EXPECT_EQ(Combo3()->Text(), QStringLiteral("000100 - 002500"));
    form1->fradj_Click();
    EXPECT_EQ(Combo3()->count(), 2);

    Type("0", "5000");  // the whole movie is listed already: no nested re-apply
    form1->fradj_Click();
    EXPECT_EQ(Box("Text3")->text(), QStringLiteral("3000"));
    Type("999999", "5000");
    form1->fradj_Click();
    EXPECT_EQ(Label11(), QStringLiteral("From: 0 To: 3000"));
    EXPECT_EQ(Combo3()->Text(), QStringLiteral("999999 - 003000"));
}

TEST_F(SelectionTest, EmptyFromChangesNothingOnlyEnterAppliesAndAnEntryIsCopiedBack) {
    Open(3000);
    const QString before = Label11();
    Type("", "10");
    form1->fradj_Click();
    EXPECT_EQ(Label11(), before);
    Type("20", "4");
    QTest::keyClicks(Box("Text3"), QStringLiteral("0"));
    EXPECT_EQ(Label11(), before);
    QTest::keyClick(Box("Text3"), Qt::Key_Return);
    EXPECT_EQ(Label11(), QStringLiteral("From: 20 To: 40"));
    Combo3()->SetSelectedIndex(0);
    EXPECT_EQ(Box("Text2")->text(), QStringLiteral("000000"));
    EXPECT_EQ(Label11(), QStringLiteral("From: 0 To: 3000"));
}

TEST_F(SelectionTest, SevenDigitRangeRestartsTheShownPreviewOnWhatWasTyped) {
    Open(2000000);
    form1->SSTab1_Click(0);
    player.ClearCalls();
    Type("1000000", "1200000");
    form1->Command16_Click();
    EXPECT_EQ(Combo3()->count(), 2);
    EXPECT_EQ(Combo3()->Text(), QStringLiteral("1000000 - 1200000"));
    EXPECT_EQ(player.SelectionStart(), 1000000);
    EXPECT_EQ(player.SelectionEnd(), 1200000);
    // The nested re-apply and the outer one each restart the preview.
    const auto calls = player.Actions();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "Play"), 2);
    EXPECT_TRUE(form1->PreviewWindow().isVisible());
}

TEST_F(SelectionTest, TabClickOpensThePreviewAgainAfterACloseOrAFailure) {
    Open(3000);
    player.ScriptError(true);
    form1->SSTab1_Click(0);
    EXPECT_EQ(dialogs.Texts(), QStringList{preview::NoCodecMessage()});
    auto& form2 = form1->PreviewWindow();
    EXPECT_FALSE(form2.isVisible());

    player.ScriptError(false);
    form1->SSTab1_Click(1);
    ASSERT_TRUE(form2.isVisible());
    player.ClearCalls();
    form1->SSTab1_Click(2);  // shown: nothing happens
    EXPECT_TRUE(player.Calls().empty());
    form2.close();
    form1->SSTab1_Click(3);
    EXPECT_TRUE(form2.isVisible());
}

}  // namespace
}  // namespace brelvo::app
