// SPDX-License-Identifier: GPL-2.0-or-later
// The main window as the tests start it: on a copy of a movie, with scripted dialogs and the
// recording player, and the helpers the window tests share.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <optional>
#include <string>

#include "app/form1.h"
#include "platform/file_open_hook.h"
#include "platform/io_error.h"
#include "platform/little_endian.h"
#include "platform/qt/control_text.h"
#include "platform/qt/tab_control.h"
#include "tests/support/fake_media_player.h"
#include "tests/support/qt_application_environment.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_movies.h"
namespace brelvo::app::testing {

using brelvo::testing::Bytes;
using brelvo::testing::MakeSimpleMovie;
using Calls = std::vector<std::string>;

// A simple movie whose main header counts `totalFrames`, however few chunks it holds.
inline Bytes MovieOfFrames(std::uint32_t totalFrames, bool withAudio = true) {
    Bytes bytes = MakeSimpleMovie({.withAudio = withAudio});
    const auto avih = brelvo::testing::OffsetOf(bytes, "avih");
    platform::WriteU32(bytes, static_cast<std::size_t>(avih) + 8 + 16, totalFrames);
    return bytes;
}

// A file-open hook that refuses every file, or only those opened in `mode`, with the reason.
inline platform::FileOpenHook RefuseOpen(std::string why,
                                         std::optional<platform::OpenMode> mode = std::nullopt) {
    return [why, mode](const std::string& path, platform::OpenMode opening,
                       std::unique_ptr<platform::RandomAccessFile> opened)
               -> std::unique_ptr<platform::RandomAccessFile> {
        if (mode && opening != *mode) return opened;
        throw platform::IoError(mode ? platform::FileOp::Create : platform::FileOp::Open, path,
                                why);
    };
}

class Form1Test : public ::testing::Test {
  protected:
    // Starts the window on a path, as the command line gives it.
    Form1& Start(const QString& commandLine) {
        form_.reset();  // one window at a time, as in a real run
        form_ =
            std::make_unique<Form1>(player_, dialogs_, commandLine, std::chrono::milliseconds(200));
        form_->Form_Load();
        return *form_;
    }
    // Starts the window on a fresh file holding the bytes.
    Form1& StartOn(const Bytes& bytes) {
        path_ = brelvo::testing::WriteTempFile(bytes);
        return Start(QString::fromStdString(path_));
    }
    // Starts the window on the bytes with no message and no player call recorded yet.
    void Load(const Bytes& bytes) {
        dialogs_ = {};
        StartOn(bytes);
        ASSERT_EQ(form_->state(), Form1::State::Ready);
        player_.ClearCalls();
    }
    // Clicks the button as the user does, its tab shown first (quietly).
    void Click(const char* button, int tab) {
        form_->SSTab1()->SetTab(tab, false);
        auto* pressed = form_->Control<QPushButton>(QString::fromUtf8(button));
        EXPECT_TRUE(pressed->isEnabled()) << button;
        QTest::mouseClick(pressed, Qt::LeftButton);
    }
    void Type(const char* box, const QString& text) {
        auto* edit = form_->Control<QLineEdit>(QString::fromUtf8(box));
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    QString Text(const char* control) const {
        return platform::qt::ControlText(form_->Control(QString::fromUtf8(control)));
    }
    Bytes FileBytes() const { return brelvo::testing::ReadWholeFile(path_); }
    // The little-endian 32-bit value at the offset of the file.
    std::uint32_t U32At(std::int64_t offset) const {
        return platform::ReadU32(FileBytes(), static_cast<std::size_t>(offset));
    }
    // What a writer does to a hidden preview: takes the movie and gives nothing back.
    static Calls Released() { return {"Stop", "SavedValue", "SetFileName()"}; }
    // ... and to a shown one: the movie and its value back, the selection played again.
    Calls ReleasedAndRestored() const {
        Calls calls = Released();
        const std::string to = std::to_string(form_->document().rangeTo);
        calls.insert(calls.end(), {"SetFileName(" + path_ + ")", "SetSavedValue(50)",
                                   "SetSelectionStart(0)", "SetSelectionEnd(" + to + ")", "Play"});
        return calls;
    }

    platform::qt::FakeMediaPlayer player_;
    platform::qt::ScriptedDialogs dialogs_;
    std::unique_ptr<Form1> form_;
    std::string path_;
};

}  // namespace brelvo::app::testing
