// SPDX-License-Identifier: GPL-2.0-or-later
// The WAV file chooser of the Utilities tab: drive, folder and file lists and the name box.
#include <QLineEdit>

#include "app/form1.h"
#include "platform/qt/drive_list.h"
#include "platform/qt/file_list.h"
#include "platform/qt/folder_list.h"

namespace brelvo::app {

namespace qt = platform::qt;

void Form1::Drive1_Change() {
    auto* drives = Control<qt::DriveList>(QStringLiteral("Drive1"));
    auto* folders = Control<qt::FolderList>(QStringLiteral("tview"));
    const QString drive = drives->Drive();
    if (folders->SetPath(drive)) return;
    // A drive that cannot be read (no medium, not answering): back to the fallback drive,
    // without a message. Choosing it runs this handler again; should the fallback itself
    // fail, it stops there instead of choosing it for ever.
    const QString fallback = qt::DriveList::FallbackDrive();
    if (drive == drives->DriveOf(fallback)) return;
    if (!drives->SetDrive(fallback)) (void)folders->SetPath(fallback);
}

void Form1::tview_Change() {
    auto* files = Control<qt::FileList>(QStringLiteral("File1"));
    // A folder the file list cannot read leaves it where it was.
    (void)files->SetPath(Control<qt::FolderList>(QStringLiteral("tview"))->Path());
    PumpEvents();
    files->Refresh();
}

void Form1::tview_Click() {
    // Even without a move of the folder the list is read again, so a WAV file written
    // meanwhile shows up.
    tview_Change();
}

void Form1::File1_Click() {
    Control<QLineEdit>(QStringLiteral("Text13"))
        ->setText(Control<qt::FileList>(QStringLiteral("File1"))->FileName());
}

}  // namespace brelvo::app
