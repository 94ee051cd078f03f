// SPDX-License-Identifier: GPL-2.0-or-later
// The preview window as the main window opens and closes it.
#include "app/form1.h"

namespace brelvo::app {

void Form1::SSTab1_Click(int previousTab) {
    (void)previousTab;  // any tab opens the preview
    const auto opening = preview::OpenPreview(
        PreviewWindow(), *protocol_, document_.savedPlayerValue, PreviewOf(document_.openPath));
    // The main window stays usable; the next tab click tries again.
    if (opening == preview::PreviewOpening::Failed) dialogs_.MessageBox(preview::NoCodecMessage());
}

void Form1::UnloadPreviewWindow() {
    if (form2_) form2_->Unload();
}

preview::Form2& Form1::PreviewWindow() {
    if (!form2_) {
        form2_ = std::make_unique<preview::Form2>(
            protocol_->Player(), [this] { return isVisible(); }, [this] { EndProgram(); });
    }
    return *form2_;
}

preview::PreviewMovie Form1::PreviewOf(const QString& path) const {
    return {path, document_.record.framesPerSec, document_.rangeFrom, document_.rangeTo};
}

}  // namespace brelvo::app
