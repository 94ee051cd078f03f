// SPDX-License-Identifier: GPL-2.0-or-later
// Pictures of the main window, one per tab, and of the about window, for the project's
// documentation.
#pragma once

#include <QString>
#include <QStringList>

namespace brelvo::app {

class Form1;

// The environment variable that makes the program take the pictures into its folder and end.
inline constexpr char kScreenshotDirVariable[] = "BRELVO_SCREENSHOT_DIR";

// Shows each tab in turn (without the preview request) and saves "<n>-<tab name>.png" into
// the folder, then the about window as "<n>-about-brelvo.png". Returns the files written; a
// file that cannot be written is left out.
QStringList RunScreenshotTour(Form1& form, const QString& folder);
// How many pictures a complete tour writes.
int ScreenshotCount(const Form1& form);

}  // namespace brelvo::app
