// SPDX-License-Identifier: GPL-2.0-or-later
// The key-frame button of the information tab, and the about window behind the picture.
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "app/load_messages.h"
#include "platform/qt/image_box.h"
#include "preview/about_window.h"
#include "tests/app/form1_harness.h"

namespace brelvo::app::testing {
namespace {

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
    EXPECT_TRUE(picture->HasPicture());
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
