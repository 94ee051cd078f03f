// SPDX-License-Identifier: GPL-2.0-or-later
// Opening the preview window from a tab click, and restarting a shown preview on a new
// display selection.
#pragma once

#include <QString>

#include "preview/player_protocol.h"
#include "preview/preview_window.h"

namespace brelvo::preview {

// The message of a movie the player cannot open or show.
QString NoCodecMessage();

// What the preview needs of the open movie.
struct PreviewMovie {
    QString path;
    double frameRate = 0.0;  // from the headers; the player prefers what the stream says
    int rangeFrom = 0;
    int rangeTo = 0;
};

enum class PreviewOpening { AlreadyShown, Shown, Failed };

// Loads the movie into the player, hands it the selection and shows the window. Failed when
// the player cannot open or show the movie or does not settle in time; the window then stays
// hidden and the next call tries again. savedPlayerValue takes the player's value first.
PreviewOpening OpenPreview(Form2& form2, PlayerProtocol& protocol, int& savedPlayerValue,
                           const PreviewMovie& movie);

// When the window is shown: reload it and the movie, play the selection and show it again.
// Every step runs even when one before it failed. Returns false when the window was hidden
// and nothing was done.
bool RestartShownPreview(Form2& form2, PlayerProtocol& protocol, const PreviewMovie& movie);

}  // namespace brelvo::preview
