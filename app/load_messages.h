// SPDX-License-Identifier: GPL-2.0-or-later
// The texts of the main program's start-up, load, key-frame and exit messages.
#pragma once

#include <QString>

namespace brelvo::app {

// The address the load failure asks the user to write to.
inline constexpr char kSupportAddress[] = "support@brelvo.invalid";

QString NotAnAviMessage();
QString TransferToHardDiskMessage();
// The chunk walk could not read the file; ends with "Tried: " and the path.
QString OpeningProblemMessage(const QString& aviPath);
// The headers could not be decoded.
QString FillStructProblemMessage(const QString& openPath);
// The index could not be read for the key-frame count.
QString KeyFrameProblemMessage(const QString& openPath);
QString NoIndexMessage();
QString KeepChangesQuestion();
QString KeepChangesTitle();
// The exit write-back failed: names the file and the system's reason.
QString WriteBackFailedMessage(const QString& why);

}  // namespace brelvo::app
