// SPDX-License-Identifier: GPL-2.0-or-later
// brelvo-launcher: pick a movie in one small window and start Brelvo on it, as often as wanted.
#include <QApplication>
#include <QFile>
#include <cstdio>
#include <cstring>

#include "launcher/form1.h"
#include "launcher/main_program_location.h"
#include "platform/qt/qt_dialogs.h"

int main(int argc, char* argv[]) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fputs("brelvo-launcher " BRELVO_VERSION "\n", stdout);
        return 0;
    }
    QApplication application(argc, argv);
    brelvo::platform::qt::QtDialogs dialogs;
    brelvo::launcher::Form1 form(
        brelvo::launcher::LocateMainProgram(
            QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()),
        dialogs);
    form.show();
    return QApplication::exec();
}
