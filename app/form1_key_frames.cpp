// SPDX-License-Identifier: GPL-2.0-or-later
// The key-frame count of the information tab: counted once from the index, shown in Label2.
#include <QPushButton>

#include "app/form1.h"
#include "app/load_messages.h"
#include "avi/key_frames.h"
#include "platform/qt/control_text.h"
#include "platform/random_access_file.h"

namespace brelvo::app {

void Form1::Command15_Click() {
    Control<QPushButton>(QStringLiteral("Command15"))->hide();  // the count runs only once
    if (document_.keyFrameCount != 0) return;
    avi::MovieKeyFrames count;
    try {
        const auto file =
            platform::OpenFile(NativePath(document_.aviPath), platform::OpenMode::Read);
        count = avi::CountMovieKeyFrames(*file, document_.chunkMap, document_.record);
    } catch (const std::exception&) {
        dialogs_.MessageBox(KeyFrameProblemMessage(document_.openPath));
        Form_Unload();
        return;
    }
    if (count.index == avi::KeyFrameIndex::None) {
        dialogs_.MessageBox(NoIndexMessage());
        return;
    }
    document_.keyFrameCount = count.keyFrames;
    platform::qt::SetControlText(Control(QStringLiteral("Label2")),
                                 QString::fromStdString(avi::MovieKeyFrameCaption(count)));
    if (const auto note = avi::KeyFrameDamageNote(count); !note.empty()) {
        dialogs_.MessageBox(QString::fromStdString(note));
    }
}

}  // namespace brelvo::app
