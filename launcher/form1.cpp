// SPDX-License-Identifier: GPL-2.0-or-later
// The launcher's window: places its controls in twips, wires the lists to each other and
// starts the main program detached.
#include "launcher/form1.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <utility>

#include "launcher/command_line.h"
#include "platform/process_start.h"
#include "platform/qt/twips.h"

namespace brelvo::launcher {

namespace {

using platform::qt::DriveList;
using platform::qt::FileList;
using platform::qt::FolderList;

// Paths go to the system in its own encoding of file names.
std::string SystemText(const QString& path) {
#ifdef _WIN32
    return path.toStdString();  // the process start widens UTF-8
#else
    return QFile::encodeName(path).toStdString();
#endif
}

}  // namespace

Form1::Form1(std::string mainProgram, platform::qt::Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), mainProgram_(std::move(mainProgram)), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Brelvo Launcher"));
    File1.SetPattern(QStringLiteral("*.AVI"));
    Command1.setText(QStringLiteral("Show me the Brelvo"));
    // All three lists start on the current drive and folder, as the folder list found them.
    (void)Drive1.SetDrive(Drive1.DriveOf(Dir1.Path()));
    (void)File1.SetPath(Dir1.Path());
    PlaceControls();
    setTabOrder(&Drive1, &Dir1);
    setTabOrder(&Dir1, &File1);
    setTabOrder(&File1, &Command1);
    connect(&Drive1, &DriveList::Change, this, &Form1::Drive1_Change);
    connect(&Dir1, &FolderList::Change, this, &Form1::Dir1_Change);
    connect(&File1, &FileList::DoubleClick, this, &Form1::File1_DblClick);
    connect(&Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
}

void Form1::PlaceControls() {
    const QScreen* shown = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    const auto scale = platform::qt::TwipsScale::ForScreen(shown);
    auto place = [&](QWidget& control, int left, int top, int width, int height) {
        control.setGeometry(scale.Rect({left, top, width, height}));
    };
    place(Drive1, 0, 15, 7260, 315);
    place(Dir1, 0, 375, 3480, 2790);
    place(File1, 3525, 375, 3705, 2820);
    place(Command1, 15, 3210, 7200, 345);
    setFixedSize(scale.Size(7245, 3540));
    if (shown != nullptr) move(shown->availableGeometry().center() - rect().center());
}

void Form1::Drive1_Change() {
    if (Dir1.SetPath(Drive1.Drive())) return;
    // A drive that cannot be read: back to the fallback drive and its root, without a
    // message. Choosing it runs this handler again; should that drive fail too, stop there.
    if (fallingBack_) return;
    fallingBack_ = true;
    const QString fallback = DriveList::FallbackDrive();
    (void)Drive1.SetDrive(fallback);
    (void)Dir1.SetPath(fallback);
    fallingBack_ = false;
}

void Form1::Dir1_Change() {
    // Re-lists the files; a folder the file list cannot read leaves it where it was.
    (void)File1.SetPath(Dir1.Path());
}

void Form1::File1_DblClick() {
    StartMainProgram();
}

void Form1::Command1_Click() {
    StartMainProgram();
}

void Form1::StartMainProgram() {
    const auto launch =
        PlanLaunch(mainProgram_, SystemText(File1.Path()), SystemText(File1.FileName()));
    if (!launch) return;  // nothing chosen, or not a movie's name
    const platform::StartResult result = platform::StartDetached(*launch);
    if (result.started) return;
    dialogs_.MessageBox(QStringLiteral("Brelvo could not be started from %1:\n%2.")
                            .arg(QFile::decodeName(QByteArray::fromStdString(mainProgram_)),
                                 QString::fromLocal8Bit(result.reason)));
}

}  // namespace brelvo::launcher
