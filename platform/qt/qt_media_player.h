// SPDX-License-Identifier: GPL-2.0-or-later
// The preview's media player on Qt Multimedia: a QMediaPlayer drawing into a QVideoWidget,
// playing the selection as a loop, with the volume as the value kept across a release.
#pragma once

#include <QMediaPlayer>
#include <QObject>
#include <functional>
#include <memory>

#include "platform/qt/media_player.h"

class QAudioOutput;
class QVideoFrame;
class QVideoWidget;

namespace brelvo::platform::qt {

class QtMediaPlayer : public QObject, public MediaPlayer {
    Q_OBJECT

  public:
    explicit QtMediaPlayer(QObject* parent = nullptr);
    ~QtMediaPlayer() override;

    void SetFileName(const QString& path) override;
    QString FileName() const override { return fileName_; }
    void Play() override;
    void Stop() override;
    void SetSelectionStart(double frame) override;
    void SetSelectionEnd(double frame) override;
    int SavedValue() const override;
    void SetSavedValue(int value) override;
    void SetAutoStart(bool autoStart) override { autoStart_ = autoStart; }
    int ReadyState() const override;
    bool HasError() const override { return failed_; }
    QSize SizeInTwips() const override;
    void SetFrameRate(double framesPerSecond) override { headerFrameRate_ = framesPerSecond; }
    QWidget* VideoWidget() const override;
    void SetOpenNotification(std::function<void(int readyState)> handler) override {
        openNotification_ = std::move(handler);
    }

    // The frames per second used to turn selection frames into times.
    double FrameRate() const;
    bool IsPlaying() const;
    qint64 PositionMs() const;

  private:
    void RenewPlayer();
    void MediaStatusChanged(QMediaPlayer::MediaStatus status);
    void ErrorOccurred(QMediaPlayer::Error error);
    void FrameShown(const QVideoFrame& frame);
    void FinishOpening(bool opened);
    void StartAtSelection();
    void LoopAtSelectionEnd(qint64 positionMs);
    void KeepInsideSelection();
    void Later(std::function<void()> step);
    bool IsLoaded() const;
    qint64 FrameToMs(double frame) const;
    qint64 StartMs() const;
    qint64 EndMs() const;

    // Declared before the player so that the player goes first and never outlives its outputs.
    std::unique_ptr<QVideoWidget> video_;
    std::unique_ptr<QAudioOutput> audio_;
    std::unique_ptr<QMediaPlayer> player_;

    QString fileName_;
    double selectionStart_ = 0.0;
    double selectionEnd_ = 0.0;
    double headerFrameRate_ = 0.0;
    bool autoStart_ = false;
    bool opening_ = false;      // a file was set and has not finished opening
    bool failed_ = false;       // the last file could not be opened or shown
    bool playing_ = false;      // playing was asked for and not halted since
    bool sizePending_ = false;  // the picture takes the size of the movie's first frame
    std::function<void(int)> openNotification_;
    unsigned openGeneration_ = 0;
};

}  // namespace brelvo::platform::qt
