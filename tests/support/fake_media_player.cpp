// SPDX-License-Identifier: GPL-2.0-or-later
// The recording media player for tests.
#include "tests/support/fake_media_player.h"

namespace brelvo::platform::qt {

int FakeMediaPlayer::ReadyState() const {
    Record("ReadyState");
    if (loadingForever_) return 1;
    return fileName_.isEmpty() ? kReadyUninitialised : kReadyComplete;
}

std::vector<std::string> FakeMediaPlayer::Actions() const {
    std::vector<std::string> actions;
    for (const auto& call : calls_) {
        if (call != "ReadyState" && call.rfind("SetAutoStart", 0) != 0) actions.push_back(call);
    }
    return actions;
}

}  // namespace brelvo::platform::qt
