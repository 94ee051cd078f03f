// SPDX-License-Identifier: GPL-2.0-or-later
// Opening and restarting the preview.
#include "preview/preview_request.h"

namespace brelvo::preview {

QString NoCodecMessage() {
    return QStringLiteral(
        "No Suitable CODEC avialable for Display: This can mean one of a few things. Your "
        "system may not recognise the Video Codec used in the clip you are opening. To verify "
        "this try to open it in Windows Media Player. If it opens it may be that the file may "
        "be in use by another application. In Windows 98SE, ME, 2000 it may be that explorer "
        "is opening it as a preview. In that case it could be locked. Customise the view from "
        "Explorer to 'No Preview'");
}

PreviewOpening OpenPreview(Form2& form2, PlayerProtocol& protocol, int& savedPlayerValue,
                           const PreviewMovie& movie) {
    if (form2.isVisible()) return PreviewOpening::AlreadyShown;
    auto& player = protocol.Player();
    form2.Load();
    savedPlayerValue = player.SavedValue();
    player.SetFrameRate(movie.frameRate);
    player.SetFileName(movie.path);
    // A wait that runs out counts as a movie that cannot be shown, so a player stuck loading
    // never keeps the main window waiting.
    if (!protocol.WaitForPlayer() || player.HasError()) return PreviewOpening::Failed;
    player.SetSelectionStart(static_cast<double>(movie.rangeFrom));
    player.SetSelectionEnd(static_cast<double>(movie.rangeTo));
    form2.show();
    return PreviewOpening::Shown;
}

bool RestartShownPreview(Form2& form2, PlayerProtocol& protocol, const PreviewMovie& movie) {
    if (!form2.isVisible()) return false;
    auto& player = protocol.Player();
    form2.Unload();
    form2.Load();
    player.SetFileName(QString());
    protocol.WaitForPlayer();
    player.SetFrameRate(movie.frameRate);
    player.SetFileName(movie.path);
    protocol.WaitForPlayer();
    player.Stop();
    player.SetSelectionStart(static_cast<double>(movie.rangeFrom));
    player.SetSelectionEnd(static_cast<double>(movie.rangeTo));
    protocol.WaitForPlayer();
    player.Play();
    form2.show();
    return true;
}

}  // namespace brelvo::preview
