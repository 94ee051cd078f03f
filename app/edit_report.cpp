// SPDX-License-Identifier: GPL-2.0-or-later
// Messages for refused and failed edits of the movie.
#include "app/edit_report.h"

#include <exception>

#include "avi/field_patch.h"
#include "avi/write_plan.h"

namespace brelvo::app {

QString EditRefusedMessage(const QString& path, const std::string& reason) {
    return QStringLiteral("Nothing was written to ") + path + QStringLiteral(": ") +
           QString::fromStdString(reason) + QStringLiteral(".");
}

QString EditFailedMessage(const QString& path, const platform::IoError& error) {
    QString message =
        QStringLiteral("The movie ") + path + QStringLiteral(" could not be changed: cannot ") +
        QString::fromUtf8(platform::FileOpVerb(error.Op())) + QStringLiteral(" it (") +
        QString::fromStdString(error.Reason()) + QStringLiteral(")");
    // A write that failed part-way: the user must learn whether the movie changed.
    if (const auto* partly = dynamic_cast<const avi::PlanFailed*>(&error)) {
        message += QStringLiteral("; %1 of the edit's bytes had been written before it")
                       .arg(partly->BytesWritten() == 0 ? QStringLiteral("none")
                                                        : QString::number(partly->BytesWritten()));
    }
    return message + QStringLiteral(".");
}

bool RunMovieEdit(platform::qt::Dialogs& dialogs, const QString& path,
                  const std::function<void()>& edit) {
    try {
        edit();
        return true;
    } catch (const avi::PatchRefused& refused) {
        dialogs.MessageBox(EditRefusedMessage(path, refused.what()));
    } catch (const platform::IoError& error) {
        dialogs.MessageBox(EditFailedMessage(path, error));
    } catch (const std::exception& error) {
        // Anything else still must not look like success.
        dialogs.MessageBox(QStringLiteral("The movie ") + path +
                           QStringLiteral(" could not be changed: ") +
                           QString::fromStdString(error.what()) + QStringLiteral("."));
    }
    return false;
}

}  // namespace brelvo::app
