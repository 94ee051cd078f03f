// SPDX-License-Identifier: GPL-2.0-or-later
// The about window Form3: the program's picture, its version line and credits, and "OK".
#pragma once

#include <QDialog>

#include "platform/qt/control_table.h"

namespace brelvo::preview {

class AboutWindow : public QDialog {
    Q_OBJECT

  public:
    explicit AboutWindow(QWidget* parent = nullptr);

    const platform::qt::ControlRegistry& Controls() const { return controls_; }

    void Command1_Click();  // "OK": closes the window

  private:
    platform::qt::ControlRegistry controls_;
};

// Opens a fresh about window, modal, in the middle of the screen; returns when it is closed.
void ShowAboutWindow(QWidget* owner);

}  // namespace brelvo::preview
