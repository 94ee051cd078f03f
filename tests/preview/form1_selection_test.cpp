// SPDX-License-Identifier: GPL-2.0-or-later
// The display selection and the preview window as the main window runs them: the boxes, the
// Recent list with its nested re-apply, the restart of a shown preview, and its reopening.
#include <QTabBar>

#include "platform/qt/combo_box.h"
#include "tests/app/form1_harness.h"

namespace brelvo::app::testing {
namespace {

class SelectionTest : public Form1Test {
  protected:
    QLineEdit* Box(const char* name) { return form_->Control<QLineEdit>(QString::fromUtf8(name)); }
    platform::qt::ComboBox* Combo3() {
        return form_->Control<platform::qt::ComboBox>(QStringLiteral("Combo3"));
    }
    void Apply(const char* from, const char* to) {
        Box("Text2")->setText(QString::fromUtf8(from));
        Box("Text3")->setText(QString::fromUtf8(to));
        form_->fradj_Click();
    }
};

TEST_F(SelectionTest, ApplyListsTheRangeOnceCorrectsItsEndsAndOnlyEnterApplies) {
    Load(MovieOfFrames(3000, false));
    Apply("100", "2500");
    EXPECT_EQ(Combo3()->Text(), QStringLiteral("000100 - 002500"));
    Apply("0", "5000");  // the whole movie is listed already: no nested re-apply
    EXPECT_EQ(Box("Text3")->text(), QStringLiteral("3000"));

    Box("Text2")->setText(QStringLiteral("20"));
    Box("Text3")->setText(QStringLiteral("4"));
    QTest::keyClicks(Box("Text3"), QStringLiteral("0"));
    EXPECT_EQ(Text("Label11"), QStringLiteral("From: 0 To: 3000"));
    QTest::keyClick(Box("Text3"), Qt::Key_Return);
    EXPECT_EQ(Text("Label11"), QStringLiteral("From: 20 To: 40"));
    Combo3()->SetSelectedIndex(0);  // an entry is copied back
    EXPECT_EQ(Box("Text2")->text(), QStringLiteral("000000"));
    EXPECT_EQ(Text("Label11"), QStringLiteral("From: 0 To: 3000"));
}

TEST_F(SelectionTest, SevenDigitRangeRestartsTheShownPreviewOnWhatWasTyped) {
    Load(MovieOfFrames(2000000, false));
    form_->SSTab1_Click(0);
    player_.ClearCalls();
    Box("Text2")->setText(QStringLiteral("1000000"));
    Box("Text3")->setText(QStringLiteral("1200000"));
    form_->Command16_Click();
    EXPECT_EQ(player_.SelectionStart(), 1000000);
    EXPECT_EQ(player_.SelectionEnd(), 1200000);
    EXPECT_EQ(player_.Actions().back(), "Play");
}

// A click on any tab, the shown one too, opens the preview unless it is shown.
TEST_F(SelectionTest, TabClickOpensThePreviewAgainAfterACloseOrAFailure) {
    Load(MakeSimpleMovie({}));
    QTabBar* bar = form_->SSTab1()->Bar();
    const auto clickTab = [bar](int tab) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    };
    player_.ScriptError(true);
    clickTab(0);
    EXPECT_EQ(dialogs_.Texts(), QStringList{preview::NoCodecMessage()});
    auto& form2 = form_->PreviewWindow();
    EXPECT_FALSE(form2.isVisible());
    player_.ScriptError(false);
    clickTab(0);
    ASSERT_TRUE(form2.isVisible());
    player_.ClearCalls();
    clickTab(2);  // shown: nothing happens
    EXPECT_TRUE(player_.Calls().empty());
    form2.close();
    clickTab(3);
    EXPECT_TRUE(form2.isVisible());
}

}  // namespace
}  // namespace brelvo::app::testing
