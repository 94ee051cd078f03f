// SPDX-License-Identifier: GPL-2.0-or-later
// The preview window "AVI Viewer": shows the player's picture, keeps its size fitted to the
// player, goes to the top right corner when the player has opened a file, and ends the
// program once the main window is gone.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

#include "platform/qt/media_player.h"

namespace brelvo::preview {

class Form2 : public QWidget {
    Q_OBJECT

  public:
    // mainWindowVisible: asked on every tick; endProgram: what ending the program means (the
    // application's quit unless a test says otherwise).
    Form2(platform::qt::MediaPlayer& amc, std::function<bool()> mainWindowVisible,
          std::function<void()> endProgram = {}, QWidget* parent = nullptr);
    ~Form2() override;

    // Loaded means the timer runs; the window may still be hidden. Unload hides it and stops
    // the timer, and does nothing else: the player keeps whatever it holds. The user's close
    // unloads it and also halts the player and makes it let go of the movie, which it would
    // otherwise hold and play on unseen.
    void Load();
    void Unload();
    bool IsLoaded() const { return Timer1.isActive(); }

    platform::qt::MediaPlayer& AMC;
    QTimer Timer1;

    // The player's notification after a file has opened: fit and go to the top right corner.
    void AMC_OpenStateChange(int readyState);
    // Every half second: fit the size only, then watch the main window.
    void Timer1_Timer();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void FitToPlayer();

    QWidget* picture_;  // the player's own widget, placed here but owned by the player
    std::function<bool()> mainWindowVisible_;
    std::function<void()> endProgram_;
};

}  // namespace brelvo::preview
