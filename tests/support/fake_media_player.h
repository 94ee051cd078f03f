// SPDX-License-Identifier: GPL-2.0-or-later
// A media player for tests: records every call in order as a string ("Stop",
// "SetFileName(/tmp/a.avi)", "SetSavedValue(50)", "ReadyState", ...), stays loading when told
// to, and reports an error when told to.
#pragma once

#include <string>
#include <vector>

#include "platform/qt/media_player.h"

namespace brelvo::platform::qt {

class FakeMediaPlayer final : public MediaPlayer {
  public:
    void SetFileName(const QString& path) override {
        Record("SetFileName(" + path.toStdString() + ")");
        fileName_ = path;
    }
    QString FileName() const override {
        Record("FileName");
        return fileName_;
    }
    void Play() override { Record("Play"); }
    void Stop() override { Record("Stop"); }
    void SetSelectionStart(double frame) override {
        Record("SetSelectionStart(" + Number(frame) + ")");
        selectionStart_ = frame;
    }
    void SetSelectionEnd(double frame) override {
        Record("SetSelectionEnd(" + Number(frame) + ")");
        selectionEnd_ = frame;
    }
    int SavedValue() const override {
        Record("SavedValue");
        return value_;
    }
    void SetSavedValue(int value) override {
        Record("SetSavedValue(" + std::to_string(value) + ")");
        value_ = value;
    }
    void SetAutoStart(bool autoStart) override {
        Record(autoStart ? "SetAutoStart(true)" : "SetAutoStart(false)");
    }
    int ReadyState() const override {
        Record("ReadyState");
        if (loadingForever_) return 1;
        return fileName_.isEmpty() ? kReadyUninitialised : kReadyComplete;
    }
    bool HasError() const override {
        Record("HasError");
        return error_;
    }
    QSize SizeInTwips() const override { return {4140, 2700}; }

    // The player is settled at once: complete with a file, uninitialised without one, or still
    // loading (1) for ever after ScriptLoadingForever.
    void ScriptLoadingForever() { loadingForever_ = true; }
    void ScriptError(bool error) { error_ = error; }

    const std::vector<std::string>& Calls() const { return calls_; }
    // The calls without the ReadyState and SetAutoStart polls of the waits.
    std::vector<std::string> Actions() const {
        std::vector<std::string> actions;
        for (const auto& call : calls_) {
            if (call != "ReadyState" && !call.starts_with("SetAutoStart")) actions.push_back(call);
        }
        return actions;
    }
    void ClearCalls() { calls_.clear(); }
    double SelectionStart() const { return selectionStart_; }
    double SelectionEnd() const { return selectionEnd_; }

  private:
    void Record(std::string call) const { calls_.push_back(std::move(call)); }
    // A number as the call strings write it: 25 for 25.0, 12.5 for 12.5.
    static std::string Number(double value) {
        return QString::number(value, 'g', 15).toStdString();
    }

    mutable std::vector<std::string> calls_;
    QString fileName_;
    bool loadingForever_ = false;
    bool error_ = false;
    int value_ = 50;
    double selectionStart_ = 0;
    double selectionEnd_ = 0;
};

}  // namespace brelvo::platform::qt
