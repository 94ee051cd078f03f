// SPDX-License-Identifier: GPL-2.0-or-later
// The "Delay Audio" frame of the Synchronize Audio tab (the bar, its readout and Apply), and
// the way from its "Jink Audio" button to the jink option of the Utilities tab.
#include <QCheckBox>
#include <QScrollBar>

#include "app/edit_report.h"
#include "app/form1.h"
#include "editing/audio_delay.h"
#include "platform/qt/control_text.h"
#include "platform/qt/tab_control.h"

namespace brelvo::app {

namespace {
constexpr int kUtilitiesTab = 3;

int DelayBarValue(const Form1& form) {
    return form.Control<QScrollBar>(QStringLiteral("HScroll2"))->value();
}
}  // namespace

void Form1::Command11_Click() {
    // Apply: the button marks the movie altered; the menu item's run does not.
    document_.altered = true;
    frdelay_Click();
}

void Form1::Command14_Click() {
    sstab1_->SetTab(kUtilitiesTab);
    auto* check1 = Control<QCheckBox>(QStringLiteral("Check1"));
    check1->setChecked(true);  // runs Check1_Click when it was unticked
    check1->setFocus();
}

void Form1::HScroll2_Change() {
    const auto& audio = document_.record.audioHeader;
    if (!audio) return;
    // A zero divisor shows nothing new rather than a division error.
    if (const auto text = editing::DelayBarReadout(DelayBarValue(*this), *audio)) {
        platform::qt::SetControlText(Control(QStringLiteral("Label19")),
                                     QString::fromStdString(*text));
    }
}

void Form1::frdelay_Click() {
    // Adjust Frame Delay: the bar's delay into the audio dwStart.
    const int barValue = DelayBarValue(*this);
    const std::int32_t delay = editing::DelayOfBar(barValue);
    document_.rangeFrom = 0;
    ReleasePreview();
    const bool written = RunMovieEdit(dialogs_, document_.aviPath, [&] {
        avi::HeaderEdit edit(document_.record);
        editing::AddAudioDelay(edit, delay);
        document_.record = avi::ApplyEdit(NativePath(document_.aviPath), std::move(edit)).record;
    });
    PumpEvents();
    RestorePreview([&] {
        const auto& audio = document_.record.audioHeader;
        if (written && audio) {
            if (const auto text = editing::AppliedDelayText(barValue, *audio)) {
                platform::qt::SetControlText(Control(QStringLiteral("Label18")),
                                             QString::fromStdString(*text));
            }
        }
        protocol_->WaitForPlayer();
    });
}

void Form1::Check1_Click() {
    // The jink length is asked for only while the option is ticked.
    const bool ticked = Control<QCheckBox>(QStringLiteral("Check1"))->isChecked();
    Control(QStringLiteral("Label29"))->setVisible(ticked);
    Control(QStringLiteral("Text14"))->setVisible(ticked);
}

}  // namespace brelvo::app
