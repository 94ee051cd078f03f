// SPDX-License-Identifier: GPL-2.0-or-later
// The window machinery: windows built from control tables (placed through twips), the tab
// control's row of tabs and the Yes/No question. (The lists, the combo box's click and the
// length-limited box are tested in the windows that use them.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <array>

#include "platform/qt/control_table.h"
#include "platform/qt/control_text.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/tab_control.h"
#include "platform/qt/twips.h"
#include "tests/support/qt_application_environment.h"

namespace brelvo::platform::qt {
namespace {

using namespace rows;

constexpr FontSpec kBold{"Arial", 9.75, true};
const std::array kTable = {
    Frame("Frame1", "Video Stream", {150, 370, 4470, 4155}),
    Label("Label1", "Filename: ", {150, 240, 4005, 300}).In("Frame1"),
    Button("Command1", "Apply", {1440, 1440, 720, 300}).In("Frame1"),
};

TEST(ControlTable, BuildsNamedPlacedControlsInTheirFrames) {
    QWidget window;
    ControlRegistry controls;
    BuildControls(kTable, &window, controls, TwipsScale(96, 96),
                  {.windowFont = {"MS Sans Serif", 8.25},
                   .labelFont = {"Arial", 9},
                   .frameFont = kBold,
                   .makeExternal = {}});

    auto* frame = controls.Get<QGroupBox>(QStringLiteral("Frame1"));
    auto* label = controls.Get<QLabel>(QStringLiteral("Label1"));
    auto* button = controls.Get<QPushButton>(QStringLiteral("Command1"));
    EXPECT_EQ(label->parentWidget(), frame);
    EXPECT_EQ(label->geometry(), QRect(10, 16, 267, 20));  // from the frame's corner
    SetControlText(label, QStringLiteral("Compression: ") + QString(4, QChar(0)) +
                              QStringLiteral(" - Unknown"));  // a FourCC of NUL bytes
    EXPECT_EQ(ControlText(label), QStringLiteral("Compression: "));
    // A frame's bold caption font does not spread to the controls inside it.
    EXPECT_TRUE(frame->font().bold());
    EXPECT_FALSE(button->font().bold());
    EXPECT_THROW(controls.Get<QPushButton>(QStringLiteral("Label1")), ControlTableError);
}

// Its pages and clicks are tested in the main window, where a click opens the preview and the
// caption check walks the pages one by one.
TEST(TabControl, LaysItsTabsInOneRowAcrossTheBar) {
    TabControl tabs({QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three")}, 24);
    tabs.resize(300, 200);
    tabs.show();
    // Each tab is as wide as its caption needs plus an equal share.
    const QTabBar* bar = tabs.Bar();
    EXPECT_EQ(bar->tabRect(0).left(), 0);
    EXPECT_EQ(bar->tabRect(2).right(), 299);
    EXPECT_EQ(bar->tabRect(0).right() + 1, bar->tabRect(1).left());
    EXPECT_GT(bar->tabRect(2).width(), bar->tabRect(0).width());
}

TEST(QtDialogs, AYesNoQuestionIgnoresEscapeAndAnswersWithItsButtons) {
    bool stillOpenAfterEscape = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Apply Changes?"));
        QTest::keyClick(box, Qt::Key_Escape);
        stillOpenAfterEscape = box->isVisible();
        box->button(QMessageBox::No)->click();
    });
    QtDialogs dialogs;
    EXPECT_FALSE(dialogs.AskYesNo(QStringLiteral("Keep?"), QStringLiteral("Apply Changes?")));
    EXPECT_TRUE(stillOpenAfterEscape);
    EXPECT_EQ(ForDisplay(QStringLiteral("a\r\rb\r\nc")), QStringLiteral("a\n\nb\nc"));
}

}  // namespace
}  // namespace brelvo::platform::qt
