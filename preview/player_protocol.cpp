// SPDX-License-Identifier: GPL-2.0-or-later
// The release and restore protocol between the writers and the preview player.
#include "preview/player_protocol.h"

#include <thread>
#include <utility>

namespace brelvo::preview {

PlayerProtocol::PlayerProtocol(platform::qt::MediaPlayer& player, std::function<void()> pumpEvents,
                               std::chrono::milliseconds waitLimit)
    : player_(player), pumpEvents_(std::move(pumpEvents)), waitLimit_(waitLimit) {}

void PlayerProtocol::SetPreviewShown(std::function<bool()> previewShown) {
    previewShown_ = std::move(previewShown);
}

bool PlayerProtocol::WaitForPlayer() {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + waitLimit_;
    player_.SetAutoStart(true);
    int state = player_.ReadyState();
    while (state > platform::qt::kReadyUninitialised && state != platform::qt::kReadyComplete) {
        // A player stuck loading must not hang the program: the wait gives up and the
        // caller's next step runs.
        if (Clock::now() >= deadline) return false;
        player_.SetAutoStart(true);
        if (pumpEvents_) pumpEvents_();
        // Pending events return at once; a short nap keeps the wait from spinning a core.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        state = player_.ReadyState();
    }
    return true;
}

bool PlayerProtocol::ReleasePreview(PlayerState& state, bool withHalt, bool withFirstWait) {
    bool settled = true;
    if (withHalt) {
        player_.Stop();
        if (withFirstWait) settled = WaitForPlayer();
    }
    state.savedPlayerValue = player_.SavedValue();
    player_.SetFileName(QString());
    return WaitForPlayer() && settled;
}

bool PlayerProtocol::RestorePreview(const PlayerState& state,
                                    const std::function<void()>& between) {
    if (!PreviewShown()) {
        if (between) between();
        return true;
    }
    player_.SetFileName(state.aviPath);
    const bool settled = WaitForPlayer();
    player_.SetSavedValue(state.savedPlayerValue);
    if (between) between();
    player_.SetSelectionStart(static_cast<double>(state.rangeFrom));
    player_.SetSelectionEnd(static_cast<double>(state.rangeTo));
    player_.Play();
    return settled;
}

}  // namespace brelvo::preview
