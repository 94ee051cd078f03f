// SPDX-License-Identifier: GPL-2.0-or-later
// The main window as the tests start it: on a copy of a movie, with scripted dialogs and the
// recording player, and the test movies the window tests need.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>

#include "app/form1.h"
#include "platform/qt/control_text.h"
#include "platform/qt/tab_control.h"
#include "tests/support/fake_media_player.h"
#include "tests/support/qt_application_environment.h"
#include "tests/support/riff_builder.h"
#include "tests/support/scripted_dialogs.h"
namespace brelvo::app::testing {

using brelvo::testing::Bytes;

// Overwrites a 32-bit value in a built movie.
inline void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<std::byte>((value >> (8 * k)) & 0xFF);
}

// Offset of the n-th (0-based) occurrence of a four-character id.
inline std::size_t FindId(const Bytes& bytes, std::string_view id, int nth = 0) {
    for (std::size_t i = 0; i + 4 <= bytes.size(); ++i) {
        if (std::equal(id.begin(), id.end(), bytes.begin() + static_cast<std::ptrdiff_t>(i),
                       [](char c, std::byte b) { return static_cast<char>(b) == c; }) &&
            nth-- == 0) {
            return i;
        }
    }
    throw std::runtime_error("id not found");
}

// A movie with its audio stream header's dwStart set.
inline Bytes MovieWithAudioStart(std::uint32_t start) {
    Bytes bytes = brelvo::testing::MakeSimpleMovie({});
    PutU32(bytes, FindId(bytes, "strh", 1) + 8 + 28, start);  // dwStart
    return bytes;
}

class Form1Test : public ::testing::Test {
  protected:
    // Starts the window on a path, as the command line gives it.
    Form1& Start(const QString& commandLine) {
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

    platform::qt::FakeMediaPlayer player_;
    platform::qt::ScriptedDialogs dialogs_;
    std::unique_ptr<Form1> form_;
    std::string path_;
};

}  // namespace brelvo::app::testing
