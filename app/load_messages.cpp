// SPDX-License-Identifier: GPL-2.0-or-later
// Message texts of the main program.
#include "app/load_messages.h"

namespace brelvo::app {

QString NotAnAviMessage() {
    return QStringLiteral("Please Run by Right-Clicking on a .AVI file in Windows Explorer");
}

QString TransferToHardDiskMessage() {
    return QStringLiteral("Please Transfer to Hard Disk");
}

QString OpeningProblemMessage(const QString& aviPath) {
    return QStringLiteral(
               "Hmmmm There appears to be a problem opening this file. Please send "
               "the text of this message to ") +
           QString::fromUtf8(kSupportAddress) + QStringLiteral(".\r\rTried: ") + aviPath;
}

QString FillStructProblemMessage(const QString& openPath) {
    return QStringLiteral("There was a problem Opening the File (FillStruct) - ") + openPath;
}

QString KeyFrameProblemMessage(const QString& openPath) {
    return QStringLiteral("There was a problem Opening the File (at procind) - ") + openPath;
}

QString NoIndexMessage() {
    return QStringLiteral("No index in this file.");
}

QString KeepChangesQuestion() {
    return QStringLiteral("You have altered the AVI, Keep the Changes?");
}

QString KeepChangesTitle() {
    return QStringLiteral("Apply Changes?");
}

QString WriteBackFailedMessage(const QString& why) {
    return QStringLiteral("The changes could not be undone: ") + why +
           QStringLiteral(". The file keeps the changes.");
}

}  // namespace brelvo::app
