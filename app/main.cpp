// SPDX-License-Identifier: GPL-2.0-or-later
// brelvo: opens the movie named by the command line in the main window.
#include <QApplication>
#include <QLocale>
#include <QTextStream>
#include <cstdio>
#include <cstring>

#include "app/command_line.h"
#include "app/form1.h"
#include "app/screenshot_tour.h"
#include "platform/interrupt_cleanup.h"
#include "platform/number_text.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_media_player.h"

int main(int argc, char** argv) {
    // No movie's name is "--version" (it does not end in .avi); no window is needed to answer.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fputs("brelvo " BRELVO_VERSION "\n", stdout);
        return 0;
    }
    QApplication application(argc, argv);
    // A session that ends during an extraction must not leave its temporary file behind.
    brelvo::platform::RemoveRegisteredFilesOnInterrupt();
    QApplication::setApplicationName(QStringLiteral("Brelvo"));
    const QString separator = QLocale::system().decimalPoint();
    if (separator.size() == 1 && separator.at(0).unicode() < 128) {
        brelvo::platform::SetDecimalSeparator(separator.at(0).toLatin1());
    }

    const QString commandLine = brelvo::app::ProgramCommandLine(QCoreApplication::arguments());
    brelvo::platform::qt::QtDialogs dialogs;
    brelvo::platform::qt::QtMediaPlayer player;
    brelvo::app::Form1 form1(player, dialogs, commandLine);
    form1.SetEndProgram([] { QCoreApplication::quit(); });
    form1.Form_Load();
    if (form1.ProgramEnded()) return 0;

    const QString pictures = qEnvironmentVariable(brelvo::app::kScreenshotDirVariable);
    if (!pictures.isEmpty()) {
        const QStringList written = brelvo::app::RunScreenshotTour(form1, pictures);
        QTextStream(stdout) << written.join(QChar(u'\n')) << Qt::endl;
        form1.close();
        return written.size() == brelvo::app::ScreenshotCount(form1) ? 0 : 1;
    }
    return QApplication::exec();
}
