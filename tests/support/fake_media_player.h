// SPDX-License-Identifier: GPL-2.0-or-later
// A media player for tests: records every call in order as a string ("Stop",
// "SetFileName(/tmp/a.avi)", "SetSavedValue(50)", "ReadyState", ...), answers the ready state
// from a script, and reports an error when told to.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/qt/media_player.h"

namespace brelvo::platform::qt {

class FakeMediaPlayer final : public MediaPlayer {
  public:
    void SetFileName(const QString& path) override;
    QString FileName() const override;
    void Play() override;
    void Stop() override;
    void SetSelectionStart(double frame) override;
    void SetSelectionEnd(double frame) override;
    int SavedValue() const override;
    void SetSavedValue(int value) override;
    void SetAutoStart(bool autoStart) override;
    int ReadyState() const override;
    bool HasError() const override;
    QSize SizeInTwips() const override;

    // Ready states to answer, one per ReadyState call; once they are used up the player is
    // settled: complete with a file, uninitialised without one, or still loading (1) for ever
    // after ScriptLoadingForever.
    void ScriptReadyStates(std::vector<int> states);
    void ScriptLoadingForever() { loadingForever_ = true; }
    void ScriptError(bool error) { error_ = error; }
    void ScriptSavedValue(int value) { value_ = value; }  // not recorded
    void ScriptSize(QSize twips) { size_ = twips; }

    const std::vector<std::string>& Calls() const { return calls_; }
    // The calls without the ReadyState and SetAutoStart polls of the waits.
    std::vector<std::string> Actions() const;
    void ClearCalls() { calls_.clear(); }
    bool AutoStart() const { return autoStart_; }
    bool Playing() const { return playing_; }
    double SelectionStart() const { return selectionStart_; }
    double SelectionEnd() const { return selectionEnd_; }

  private:
    void Record(std::string call) const { calls_.push_back(std::move(call)); }

    mutable std::vector<std::string> calls_;
    mutable std::deque<int> readyStates_;
    QString fileName_;
    bool loadingForever_ = false;
    bool error_ = false;
    bool autoStart_ = false;
    bool playing_ = false;
    int value_ = 50;
    double selectionStart_ = 0;
    double selectionEnd_ = 0;
    QSize size_{4140, 2700};
};

// A number as the call strings write it: 25 for 25.0, 12.5 for 12.5.
std::string FormatCallNumber(double value);

}  // namespace brelvo::platform::qt
