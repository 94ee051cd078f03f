// SPDX-License-Identifier: GPL-2.0-or-later
// The launcher's window: drive, folder and file lists for picking a movie, and the button
// that starts the main program on it.
#pragma once

#include <QPushButton>
#include <QString>
#include <QWidget>
#include <string>

#include "platform/qt/dialogs.h"
#include "platform/qt/drive_list.h"
#include "platform/qt/file_list.h"
#include "platform/qt/folder_list.h"

namespace brelvo::launcher {

class Form1 : public QWidget {
    Q_OBJECT

  public:
    // `mainProgram` is the program started on a chosen movie; `dialogs` shows the messages
    // and must outlive the window.
    Form1(std::string mainProgram, platform::qt::Dialogs& dialogs, QWidget* parent = nullptr);

    // The controls, declared before the handlers use them; the window is their Qt parent.
    platform::qt::DriveList Drive1{this};
    platform::qt::FolderList Dir1{this};
    platform::qt::FileList File1{this};
    QPushButton Command1{this};

    void Drive1_Change();
    void Dir1_Change();
    void File1_DblClick();
    void Command1_Click();

  private:
    void PlaceControls();
    void StartMainProgram();

    std::string mainProgram_;
    platform::qt::Dialogs& dialogs_;
    bool fallingBack_ = false;  // the fallback drive is being chosen
};

}  // namespace brelvo::launcher
