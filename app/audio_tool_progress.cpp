// SPDX-License-Identifier: GPL-2.0-or-later
// Progress captions of the audio tools.
#include "app/audio_tool_progress.h"

#include <utility>

namespace brelvo::app {

CaptionProgress::CaptionProgress(QWidget& window, Tool tool, std::function<void()> pumpEvents)
    : window_(window), tool_(tool), pumpEvents_(std::move(pumpEvents)) {}

void CaptionProgress::OnProgress(const audio::AudioProgress& progress) {
    // The walk's last report says it is through; the tools show their own closing caption
    // ("100%", then "Brelvo") instead.
    if (progress.percent >= 100) return;
    if (tool_ == Tool::Extraction) {
        if (progress.percent <= lastPercent_ + 1) return;
        // Without elapsed time there is no speed to show: the caption stays as it was.
        if (const auto speed = audio::KBPerSecond(progress)) {
            window_.setWindowTitle(
                QString::fromStdString(audio::ExtractionCaption(progress.percent, *speed)));
        }
    } else {
        window_.setWindowTitle(
            QString::fromStdString(audio::ReintegrationCaption(progress.percent)));
    }
    lastPercent_ = progress.percent;
    if (pumpEvents_) pumpEvents_();
}

}  // namespace brelvo::app
