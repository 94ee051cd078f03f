// SPDX-License-Identifier: GPL-2.0-or-later
// The codec tag lists of the Utilities tab: the Apply buttons follow the list selections, and
// each Apply writes the chosen tag over its four bytes of the video headers.
#include <QPushButton>

#include "app/edit_report.h"
#include "app/form1.h"
#include "editing/codec_tag.h"
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

struct CodecColumn {
    const char* list;
    const char* button;
    editing::CodecTarget target;
    std::string avi::HeaderRecord::*currentTag;
    void (Form1::*followSelection)();
};

constexpr CodecColumn kHeaderColumn{"Combo1", "Command1", editing::CodecTarget::Handler,
                                    &avi::HeaderRecord::videoHandler, &Form1::Combo1_Click};
constexpr CodecColumn kStreamColumn{"Combo2", "Command3", editing::CodecTarget::Compression,
                                    &avi::HeaderRecord::videoCompression, &Form1::Combo2_Click};

void ApplyCodecColumn(Form1& form, const CodecColumn& column) {
    auto& document = form.document();
    auto& record = document.record;
    auto* list = form.Control<platform::qt::ComboBox>(QString::fromUtf8(column.list));
    auto* button = form.Control<QPushButton>(QString::fromUtf8(column.button));

    document.altered = true;
    const std::string chosenTag = editing::CodecTagOfComboText(list->Text().toStdString());
    button->setEnabled(false);

    const std::string bytes = editing::WindowCodecBytes(chosenTag);
    if (bytes.empty()) {  // nothing chosen: nothing written, nothing refreshed
        record.*column.currentTag = chosenTag;
        return;
    }
    form.ReleasePreview();
    const bool written = RunMovieEdit(form.dialogs(), document.aviPath, [&] {
        avi::HeaderEdit edit(record);
        editing::AddCodecTag(edit, column.target, bytes);
        record = avi::ApplyEdit(NativePath(document.aviPath), std::move(edit)).record;
    });
    // The current tag describes the file: after a failed write the chosen entry differs from
    // it again and may be applied once more.
    if (!written) (form.*column.followSelection)();
    form.MYGO(document.aviPath);
    // MYGO gives the movie back to a shown preview only when its reselection changed the
    // selected range; a shown preview gets it back over the current selection all the same.
    auto& protocol = form.protocol();
    if (protocol.PreviewShown() && protocol.Player().FileName().isEmpty()) {
        preview::RestartShownPreview(form.PreviewWindow(), protocol,
                                     form.PreviewOf(document.aviPath));
    }
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
    // Apply Header: the chosen tag over the video stream header's fccHandler.
    ApplyCodecColumn(*this, kHeaderColumn);
}

void Form1::Command3_Click() {
    // Apply Stream: the chosen tag over the video format's biCompression.
    ApplyCodecColumn(*this, kStreamColumn);
}

}  // namespace brelvo::app
