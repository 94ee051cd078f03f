// SPDX-License-Identifier: GPL-2.0-or-later
// Start-up and close: the command line, the window's place, the load failures and the exit
// prompt with its write-back of the saved header region.
#include <optional>

#include "app/command_line.h"
#include "app/load_messages.h"
#include "tests/app/form1_harness.h"

namespace brelvo::app::testing {
namespace {

using brelvo::testing::WriteTempFile;

TEST(CommandLine, IsThePathTakenWhole) {
    EXPECT_EQ(JoinArguments({QStringLiteral("/home/me/My"), QStringLiteral("Clip.avi")}),
              QStringLiteral("/home/me/My Clip.avi"));
    EXPECT_EQ(RawCommandLineTail(QStringLiteral("\"C:\\Brelvo\\brelvo.exe\" \"D:\\a b.avi\"")),
              QStringLiteral("\"D:\\a b.avi\""));  // the quotes stay and fail the test
}

TEST_F(Form1Test, OnlyACommandLineEndingInAviOpensTheWindow) {
    path_ = WriteTempFile(MakeSimpleMovie({}), "movie.avi");
    Start(QStringLiteral("\"%1\"").arg(QString::fromStdString(path_)));  // quotes stay
    EXPECT_EQ(dialogs_.Texts(), QStringList{NotAnAviMessage()});
    EXPECT_TRUE(form_->ProgramEnded());
    EXPECT_EQ(FileBytes(), MakeSimpleMovie({}));  // the file was not touched

    path_ = WriteTempFile(MakeSimpleMovie({}), "Clip.Avi");  // any letter case will do
    Start(QString::fromStdString(path_));
    EXPECT_EQ(form_->state(), Form1::State::Ready);
}

TEST_F(Form1Test, ClosedWhileItIsFirstDrawnTheFileIsNeverRead) {
    const Bytes movie = MakeSimpleMovie({});  // dwScale 1: a load would rewrite it
    path_ = WriteTempFile(movie);
    form_ = std::make_unique<Form1>(player_, dialogs_, QString::fromStdString(path_));
    QMetaObject::invokeMethod(form_.get(), &QWidget::close, Qt::QueuedConnection);
    form_->Form_Load();
    EXPECT_TRUE(form_->ProgramEnded());
    EXPECT_EQ(FileBytes(), movie);
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
    ASSERT_EQ(dialogs_.Texts().size(), 1);
    EXPECT_TRUE(
        dialogs_.Texts()[0].endsWith(QStringLiteral("Tried: ") + QString::fromStdString(path)));
    EXPECT_TRUE(form_->ProgramEnded());
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
    EXPECT_TRUE(dialogs_.shown()[1].text.startsWith(u"The changes could not be undone"));
}

}  // namespace
}  // namespace brelvo::app::testing
