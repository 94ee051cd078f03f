// SPDX-License-Identifier: GPL-2.0-or-later
// A player that holds no file and shows nothing: the program's player until a real one is
// given, so that every writer's release of the preview runs and finds nothing to let go of.
#pragma once

#include "platform/qt/media_player.h"

namespace brelvo::platform::qt {

class NullMediaPlayer final : public MediaPlayer {
  public:
    void SetFileName(const QString&) override {}
    QString FileName() const override { return {}; }
    void Play() override {}
    void Stop() override {}
    void SetSelectionStart(double) override {}
    void SetSelectionEnd(double) override {}
    int SavedValue() const override { return value_; }
    void SetSavedValue(int value) override { value_ = value; }
    void SetAutoStart(bool) override {}
    int ReadyState() const override { return kReadyUninitialised; }
    bool HasError() const override { return false; }
    QSize SizeInTwips() const override { return {}; }

  private:
    int value_ = 50;
};

}  // namespace brelvo::platform::qt
