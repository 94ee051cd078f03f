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
    const auto& record = document_.record;
    if (!record.idx1Row || *record.idx1Row >= document_.chunkMap.size()) {
        dialogs_.MessageBox(NoIndexMessage());
        return;
    }
    const avi::StreamRecord* video = record.VideoStream();
    avi::KeyFrameCount count;
    try {
        const auto file =
            platform::OpenFile(NativePath(document_.aviPath), platform::OpenMode::Read);
        count = avi::CountKeyFrames(*file, document_.chunkMap[*record.idx1Row],
                                    video != nullptr ? video->index : 0);
    } catch (const std::exception&) {
        dialogs_.MessageBox(KeyFrameProblemMessage(document_.openPath));
        Form_Unload();
        return;
    }
    document_.keyFrameCount = count.keyFrames;
    platform::qt::SetControlText(
        Control(QStringLiteral("Label2")),
        QString::fromStdString(avi::KeyFrameCaption(record.totalFrames, count.keyFrames)));
}

}  // namespace brelvo::app
