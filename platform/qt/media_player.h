// SPDX-License-Identifier: GPL-2.0-or-later
// The media player as the program drives it: the members of the embedded player component,
// as named methods. The Qt Multimedia adapter implements it for the preview window; tests use
// a fake that records every call.
#pragma once

#include <QSize>
#include <QString>
#include <functional>

class QWidget;

namespace brelvo::platform::qt {

// Ready states of the player: 0 uninitialised, 1-3 still loading, 4 complete.
inline constexpr int kReadyUninitialised = 0;
inline constexpr int kReadyComplete = 4;

class MediaPlayer {
  public:
    virtual ~MediaPlayer() = default;

    // The file the player shows; the empty text makes it let go of the file (no handle stays).
    virtual void SetFileName(const QString& path) = 0;
    virtual QString FileName() const = 0;
    virtual void Play() = 0;
    virtual void Stop() = 0;  // halt playing
    // The selection in frames; playing runs from its start to its end and loops.
    virtual void SetSelectionStart(double frame) = 0;
    virtual void SetSelectionEnd(double frame) = 0;
    // A player setting saved before the file is let go and written back after it is opened
    // again (the volume, 0-100).
    virtual int SavedValue() const = 0;
    virtual void SetSavedValue(int value) = 0;
    // Start playing by itself once a file is opened.
    virtual void SetAutoStart(bool autoStart) = 0;
    virtual int ReadyState() const = 0;
    // True when the last file could not be opened or rendered.
    virtual bool HasError() const = 0;
    // The player's size as placed in its window, in twips.
    virtual QSize SizeInTwips() const = 0;
    // The movie's frame rate from its headers, for turning selection frames into times when
    // the stream itself does not say; players without a time line ignore it.
    virtual void SetFrameRate(double framesPerSecond) { (void)framesPerSecond; }
    // The picture as a widget for the preview window to place (none for players without one).
    virtual QWidget* VideoWidget() const { return nullptr; }
    // Called with the ready state each time a file has finished opening, well or not.
    virtual void SetOpenNotification(std::function<void(int readyState)> handler) { (void)handler; }
};

}  // namespace brelvo::platform::qt
