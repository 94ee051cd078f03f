// SPDX-License-Identifier: GPL-2.0-or-later
// The protocol by which every writer takes the movie away from the preview player and gives
// it back: WaitForPlayer, ReleasePreview, RestorePreview.
#pragma once

#include <QString>
#include <chrono>
#include <functional>

#include "platform/qt/media_player.h"

namespace brelvo::preview {

struct PlayerState {  // the document values the protocol reads and writes
    QString aviPath;
    int savedPlayerValue = 0;
    int rangeFrom = 0;
    int rangeTo = 0;
};

class PlayerProtocol {
  public:
    // pumpEvents lets the window system handle pending events (QCoreApplication::processEvents
    // in the program, a counter in tests).
    PlayerProtocol(platform::qt::MediaPlayer& player, std::function<void()> pumpEvents,
                   std::chrono::milliseconds waitLimit = std::chrono::seconds(5));

    // Asked before the file is given back: only a shown preview gets it. A hidden or closed
    // preview must not hold the movie open nor play its sound unseen. Without it the preview
    // counts as shown.
    void SetPreviewShown(std::function<bool()> previewShown);
    bool PreviewShown() const { return !previewShown_ || previewShown_(); }

    // Waits until the player has settled (ready state 0 or 4); false when the time limit ran
    // out first.
    bool WaitForPlayer();
    // Halt, wait, save the player value, clear the file, wait. `withFirstWait` false skips the
    // first wait; `withHalt` false skips halting and the first wait.
    bool ReleasePreview(PlayerState& state, bool withHalt = true, bool withFirstWait = true);
    // File, wait, value back, selection, play, when the preview is shown; otherwise the player
    // is left holding nothing and only `between` runs. `between` runs after the value is put
    // back and before the selection is set (the audio tools enable the tabs there).
    bool RestorePreview(const PlayerState& state, const std::function<void()>& between = {});

    platform::qt::MediaPlayer& Player() { return player_; }

  private:
    platform::qt::MediaPlayer& player_;
    std::function<void()> pumpEvents_;
    std::chrono::milliseconds waitLimit_;
    std::function<bool()> previewShown_;
};

}  // namespace brelvo::preview
