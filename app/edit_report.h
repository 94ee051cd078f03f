// SPDX-License-Identifier: GPL-2.0-or-later
// How the main window reports an edit of the movie that was refused or could not be written:
// a message box that names the file and the reason, so a failure never passes for success.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "platform/io_error.h"
#include "platform/qt/dialogs.h"

namespace brelvo::app {

// A refusal comes before the first byte is written.
QString EditRefusedMessage(const QString& path, const std::string& reason);
QString EditFailedMessage(const QString& path, const platform::IoError& error);

// Runs an edit of the movie at `path`. A refusal (avi::PatchRefused), a file error
// (platform::IoError) or any other error is shown in a message box; returns true only when
// the edit ran through.
bool RunMovieEdit(platform::qt::Dialogs& dialogs, const QString& path,
                  const std::function<void()>& edit);

}  // namespace brelvo::app
