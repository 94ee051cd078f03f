// SPDX-License-Identifier: GPL-2.0-or-later
// The recording media player for tests.
#include "tests/support/fake_media_player.h"

namespace brelvo::platform::qt {

std::string FormatCallNumber(double value) {
    return QString::number(value, 'g', 15).toStdString();
}

void FakeMediaPlayer::SetFileName(const QString& path) {
    Record("SetFileName(" + path.toStdString() + ")");
    fileName_ = path;
    if (path.isEmpty()) playing_ = false;
}

QString FakeMediaPlayer::FileName() const {
    Record("FileName");
    return fileName_;
}

void FakeMediaPlayer::Play() {
    Record("Play");
    playing_ = !fileName_.isEmpty();
}

void FakeMediaPlayer::Stop() {
    Record("Stop");
    playing_ = false;
}

void FakeMediaPlayer::SetSelectionStart(double frame) {
    Record("SetSelectionStart(" + FormatCallNumber(frame) + ")");
    selectionStart_ = frame;
}

void FakeMediaPlayer::SetSelectionEnd(double frame) {
    Record("SetSelectionEnd(" + FormatCallNumber(frame) + ")");
    selectionEnd_ = frame;
}

int FakeMediaPlayer::SavedValue() const {
    Record("SavedValue");
    return value_;
}

void FakeMediaPlayer::SetSavedValue(int value) {
    Record("SetSavedValue(" + std::to_string(value) + ")");
    value_ = value;
}

void FakeMediaPlayer::SetAutoStart(bool autoStart) {
    Record(autoStart ? "SetAutoStart(true)" : "SetAutoStart(false)");
    autoStart_ = autoStart;
}

int FakeMediaPlayer::ReadyState() const {
    Record("ReadyState");
    if (!readyStates_.empty()) {
        const int state = readyStates_.front();
        readyStates_.pop_front();
        return state;
    }
    if (loadingForever_) return 1;
    return fileName_.isEmpty() ? kReadyUninitialised : kReadyComplete;
}

bool FakeMediaPlayer::HasError() const {
    Record("HasError");
    return error_;
}

QSize FakeMediaPlayer::SizeInTwips() const {
    return size_;
}

void FakeMediaPlayer::ScriptReadyStates(std::vector<int> states) {
    readyStates_.assign(states.begin(), states.end());
}

std::vector<std::string> FakeMediaPlayer::Actions() const {
    std::vector<std::string> actions;
    for (const auto& call : calls_) {
        if (call != "ReadyState" && call.rfind("SetAutoStart", 0) != 0) actions.push_back(call);
    }
    return actions;
}

}  // namespace brelvo::platform::qt
