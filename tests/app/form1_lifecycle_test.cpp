// SPDX-License-Identifier: GPL-2.0-or-later
// Start-up and close: the command line, the window's place, the load failures and the exit
// prompt with its write-back of the saved header region.
#include <QGuiApplication>
#include <QScreen>
#include <optional>

#include "app/command_line.h"
#include "app/load_messages.h"
#include "platform/qt/twips.h"
#include "tests/app/form1_harness.h"

namespace brelvo::app::testing {
namespace {

using brelvo::testing::WriteTempFile;

TEST(CommandLine, IsThePathTakenWhole) {
    EXPECT_EQ(JoinArguments({QStringLiteral("/home/me/My"), QStringLiteral("Clip.avi")}),
              QStringLiteral("/home/me/My Clip.avi"));
    EXPECT_EQ(JoinArguments({QStringLiteral("/media/a  b.avi")}),
              QStringLiteral("/media/a  b.avi"));
    EXPECT_EQ(RawCommandLineTail(QStringLiteral("\"C:\\Brelvo\\brelvo.exe\" \"D:\\a b.avi\"")),
              QStringLiteral("\"D:\\a b.avi\""));  // the quotes stay and fail the test
    EXPECT_EQ(RawCommandLineTail(QStringLiteral("C:\\Brelvo\\brelvo.exe D:\\a b.avi")),
              QStringLiteral("D:\\a b.avi"));
}

TEST_F(Form1Test, ACommandLineNotEndingInAviShowsNoWindow) {
    path_ = WriteTempFile(MakeSimpleMovie({}), "movie.avi");
    bool shownDuringMessage = true;
    dialogs_.OnShow([&](const auto&) { shownDuringMessage = form_->isVisible(); });
    Start(QStringLiteral("\"%1\"").arg(QString::fromStdString(path_)));  // quotes stay
    EXPECT_EQ(dialogs_.Texts(), QStringList{NotAnAviMessage()});
    EXPECT_EQ(dialogs_.shown()[0].title, QStringLiteral("Brelvo"));
    EXPECT_FALSE(shownDuringMessage);
    EXPECT_TRUE(form_->ProgramEnded());
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(FileBytes(), MakeSimpleMovie({}));  // the file was not touched
}

TEST_F(Form1Test, AnyLetterCaseOfAviIsAcceptedAndTheWindowSitsBottomLeft) {
    path_ = WriteTempFile(MakeSimpleMovie({}), "Clip.Avi");
    Start(QString::fromStdString(path_));
    ASSERT_EQ(form_->state(), Form1::State::Ready);
    const QRect area = form_->screen()->availableGeometry();
    const auto scale = platform::qt::TwipsScale::ForScreen(form_->screen());
    EXPECT_EQ(form_->frameGeometry().left(), area.left());
    EXPECT_EQ(form_->frameGeometry().bottom() + 1, area.bottom() + 1 - scale.Y(400));
}

TEST_F(Form1Test, ClosedWhileItIsFirstDrawnTheFileIsNeverRead) {
    const Bytes movie = MakeSimpleMovie({});  // dwScale 1: a load would rewrite it
    path_ = WriteTempFile(movie);
    form_ = std::make_unique<Form1>(player_, dialogs_, QString::fromStdString(path_));
    QMetaObject::invokeMethod(form_.get(), &QWidget::close, Qt::QueuedConnection);
    form_->Form_Load();
    EXPECT_TRUE(form_->ProgramEnded());
    EXPECT_EQ(FileBytes(), movie);
    EXPECT_EQ(Text("Label1"), QStringLiteral("Filename: "));
    EXPECT_TRUE(dialogs_.shown().empty());
}

TEST_F(Form1Test, LoadFailuresShowTheirMessageAndEndTheProgram) {
    Start(QStringLiteral("/nonexistent/folder/gone.avi"));  // attributes cannot be read
    EXPECT_EQ(dialogs_.Texts(), QStringList{TransferToHardDiskMessage()});
    EXPECT_TRUE(form_->ProgramEnded());

    const std::string path = WriteTempFile(MakeSimpleMovie({}));
    {
        platform::ScopedFileOpenHook refuse(RefuseOpen("held by another program"));
        dialogs_ = {};
        Start(QString::fromStdString(path));
    }
    EXPECT_EQ(dialogs_.Texts(),
              QStringList{QStringLiteral("Hmmmm There appears to be a problem opening this file. "
                                         "Please send the text of this message to "
                                         "support@brelvo.invalid.\r\rTried: ") +
                          QString::fromStdString(path)});
    EXPECT_TRUE(form_->ProgramEnded());

    // A main header cut short by the end of the file: nothing half-decoded is shown.
    const Bytes whole = MakeSimpleMovie({});
    dialogs_ = {};
    StartOn(Bytes(whole.begin(), whole.begin() + 36));  // four bytes of the main header
    EXPECT_EQ(dialogs_.Texts(),
              QStringList{QStringLiteral("There was a problem Opening the File (FillStruct) - ") +
                          QString::fromStdString(path_)});
    EXPECT_TRUE(form_->ProgramEnded());
    EXPECT_EQ(Text("Label6"), QStringLiteral("MicroSeconds Per Frame: "));
}

// A movie longer than the saved region, loaded, then changed inside and beyond it: without an
// Apply nothing is asked; Yes keeps every change; No restores the first 8192 bytes exactly,
// after the player let go of the file.
TEST_F(Form1Test, TheExitPromptKeepsOrRestoresTheSavedRegion) {
    const Bytes original = MakeSimpleMovie({.frames = 60, .videoChunkSize = 200});
    ASSERT_GT(original.size(), 8192u);
    for (const std::optional<bool> answer : {std::optional<bool>(), {true}, {false}}) {
        SCOPED_TRACE(answer ? (*answer ? "Yes" : "No") : "no Apply");
        Load(original);
        auto file = platform::OpenFile(path_, platform::OpenMode::ReadWrite);
        const std::byte changed[] = {std::byte{'x'}};
        file->WriteAt(200, changed);   // a header change
        file->WriteAt(9000, changed);  // sound samples
        form_->document().altered = answer.has_value();
        if (answer) dialogs_.QueueYesNo(*answer);
        Bytes expected = FileBytes();
        form_->close();
        EXPECT_TRUE(form_->ProgramEnded());
        EXPECT_EQ(dialogs_.shown().size(), answer ? 1u : 0u);
        if (answer == false) std::copy(original.begin(), original.begin() + 8192, expected.begin());
        EXPECT_EQ(player_.Actions(), answer == false ? Released() : Calls{});
        EXPECT_EQ(FileBytes(), expected);
    }
    EXPECT_EQ(dialogs_.shown()[0].text,
              QStringLiteral("You have altered the AVI, Keep the Changes?"));
    EXPECT_EQ(dialogs_.shown()[0].title, QStringLiteral("Apply Changes?"));
}

// A write-back that fails says why, and the program still ends. (Which write-backs the core
// refuses, another movie saved under the name among them, is tested there.)
TEST_F(Form1Test, ANoWhoseWriteBackFailsSaysWhy) {
    Load(MakeSimpleMovie({}));
    form_->document().altered = true;
    const Bytes before = FileBytes();
    dialogs_.QueueYesNo(false);
    {
        platform::ScopedFileOpenHook refuse(RefuseOpen("Permission denied"));
        form_->close();
    }
    EXPECT_TRUE(form_->ProgramEnded());
    EXPECT_EQ(FileBytes(), before);
    ASSERT_EQ(dialogs_.shown().size(), 2u);
    EXPECT_EQ(dialogs_.shown()[1].text,
              QStringLiteral("The changes could not be undone: Cannot open %1: Permission denied. "
                             "The file keeps the changes.")
                  .arg(QString::fromStdString(path_)));
}

}  // namespace
}  // namespace brelvo::app::testing
