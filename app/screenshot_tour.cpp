// SPDX-License-Identifier: GPL-2.0-or-later
// Taking one picture per tab.
#include "app/screenshot_tour.h"

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>

#include "app/form1.h"
#include "platform/qt/tab_control.h"
#include "preview/about_window.h"

namespace brelvo::app {

namespace {
QString FileNameFor(int index, const QString& caption) {
    return QStringLiteral("%1-%2.png").arg(index + 1).arg(caption.toLower().replace(u' ', u'-'));
}

void Settle() {
    for (int pass = 0; pass < 3; ++pass) QCoreApplication::processEvents();
}
}  // namespace

QStringList RunScreenshotTour(Form1& form, const QString& folder) {
    QStringList written;
    QDir().mkpath(folder);
    auto* tabs = form.SSTab1();
    const int shown = tabs->Tab();
    for (int i = 0; i < tabs->TabCount(); ++i) {
        tabs->SetTab(i, false);
        Settle();
        const QString path = QDir(folder).filePath(FileNameFor(i, tabs->TabCaption(i)));
        if (form.grab().save(path, "PNG")) written.push_back(path);
    }
    tabs->SetTab(shown, false);

    preview::AboutWindow about(&form);
    about.show();
    Settle();
    const QString path = QDir(folder).filePath(FileNameFor(tabs->TabCount(), about.windowTitle()));
    if (about.grab().save(path, "PNG")) written.push_back(path);
    return written;
}

int ScreenshotCount(const Form1& form) {
    return form.SSTab1()->TabCount() + 1;
}

}  // namespace brelvo::app
