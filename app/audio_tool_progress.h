// SPDX-License-Identifier: GPL-2.0-or-later
// The audio tools' progress in the main window's caption: the extraction's speed line at most
// every two percent, the re-integration's bare percentage.
#pragma once

#include <QWidget>
#include <functional>

#include "audio/audio_progress.h"

namespace brelvo::app {

class CaptionProgress final : public audio::ProgressSink {
  public:
    enum class Tool { Extraction, Reintegration };
    // pumpEvents lets the window system handle pending events after each caption.
    CaptionProgress(QWidget& window, Tool tool, std::function<void()> pumpEvents);

    void OnProgress(const audio::AudioProgress& progress) override;

  private:
    QWidget& window_;
    Tool tool_;
    std::function<void()> pumpEvents_;
    int lastPercent_ = 0;
};

}  // namespace brelvo::app
