// SPDX-License-Identifier: GPL-2.0-or-later
// The main window started for the audio tools: the Utilities tab shown, the WAV chooser in
// the movie's own folder, and every caption change recorded with the tabs' state at the time.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "platform/qt/folder_list.h"
#include "platform/qt/tab_control.h"
#include "tests/app/form1_harness.h"

namespace brelvo::app::testing {

class AudioToolsTest : public Form1Test {
  protected:
    void Open(const Bytes& movie) {
        StartOn(movie);
        Prepare();
    }
    void OpenFixture(std::string_view name) {
        path_ = brelvo::testing::CopyFixture(name);
        Start(QString::fromStdString(path_));
        Prepare();
    }
    void Type(const char* box, const QString& text) {
        auto* edit = form_->Control<QLineEdit>(QString::fromUtf8(box));
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void Press(const char* button) {
        auto* pressed = form_->Control<QPushButton>(QString::fromUtf8(button));
        ASSERT_TRUE(pressed->isEnabled()) << button;
        QTest::mouseClick(pressed, Qt::LeftButton);
    }
    std::string InFolder(std::string_view name) const {
        return (std::filesystem::path(folder_) / name).string();
    }
    bool TabsEnabled() const { return form_->SSTab1()->isEnabled(); }

    std::string folder_;
    QStringList titles_;
    std::vector<bool> tabsDuringTitles_;

  private:
    void Prepare() {
        ASSERT_EQ(form_->state(), Form1::State::Ready);
        folder_ = std::filesystem::path(path_).parent_path().string();
        form_->SSTab1()->SetTab(3, /*raiseClick=*/false);
        form_->show();
        auto* folders = form_->Control<platform::qt::FolderList>(QStringLiteral("tview"));
        ASSERT_TRUE(folders->SetPath(QString::fromStdString(folder_)));
        QObject::connect(form_.get(), &QWidget::windowTitleChanged, form_.get(),
                         [this](const QString& title) {
                             titles_.push_back(title);
                             tabsDuringTitles_.push_back(TabsEnabled());
                         });
        player_.ClearCalls();
    }
};

}  // namespace brelvo::app::testing
