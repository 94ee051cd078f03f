// SPDX-License-Identifier: GPL-2.0-or-later
// The preview's media player on Qt Multimedia with the GStreamer back end.
#include "platform/qt/qt_media_player.h"

#include <QAudioOutput>
#include <QMediaMetaData>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>
#include <algorithm>
#include <cmath>

#include "platform/qt/twips.h"

namespace brelvo::platform::qt {
namespace {

// The player's place in the preview window before a movie gives it a size.
constexpr int kDefaultWidthTwips = 3990;
constexpr int kDefaultHeightTwips = 2350;
constexpr double kFallbackFrameRate = 25.0;

// GStreamer is the back end the preview is built and tested on; the choice must be made before
// the first multimedia object exists, and an explicit choice of the user's stays.
void PreferGStreamer() {
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) {
        qputenv("QT_MEDIA_BACKEND", QByteArrayLiteral("gstreamer"));
    }
}

bool IsUsableRate(double rate) {
    return std::isfinite(rate) && rate > 0.0;
}

}  // namespace

QtMediaPlayer::QtMediaPlayer(QObject* parent) : QObject(parent) {
    PreferGStreamer();
    video_ = std::make_unique<QVideoWidget>();
    audio_ = std::make_unique<QAudioOutput>();
    video_->resize(
        TwipsScale::ForScreen(video_->screen()).Size(kDefaultWidthTwips, kDefaultHeightTwips));
    RenewPlayer();
    // Frames may arrive on a streaming thread; the context object queues them to this one.
    connect(video_->videoSink(), &QVideoSink::videoFrameChanged, this, &QtMediaPlayer::FrameShown);
}

QtMediaPlayer::~QtMediaPlayer() = default;

void QtMediaPlayer::RenewPlayer() {
    player_.reset();
    player_ = std::make_unique<QMediaPlayer>();
    player_->setAudioOutput(audio_.get());
    player_->setVideoOutput(video_.get());
    connect(player_.get(), &QMediaPlayer::mediaStatusChanged, this,
            &QtMediaPlayer::MediaStatusChanged);
    connect(player_.get(), &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error error, const QString&) { ErrorOccurred(error); });
    connect(player_.get(), &QMediaPlayer::positionChanged, this,
            &QtMediaPlayer::LoopAtSelectionEnd);
}

QWidget* QtMediaPlayer::VideoWidget() const {
    return video_.get();
}

void QtMediaPlayer::SetFileName(const QString& path) {
    ++openGeneration_;
    // After a failed open the back end's pipeline can stay broken and fail every later file,
    // so a failure is followed by a fresh player.
    if (failed_) RenewPlayer();
    playing_ = false;
    failed_ = false;
    fileName_ = path;
    player_->stop();
    // Dropping the source takes the pipeline down, which closes the movie file at once.
    player_->setSource(QUrl());
    if (path.isEmpty()) {
        opening_ = false;
        return;
    }
    // Set before the source: a missing file may report its error from inside setSource.
    opening_ = true;
    sizePending_ = true;
    player_->setSource(QUrl::fromLocalFile(path));
}

void QtMediaPlayer::Play() {
    playing_ = true;
    if (!IsLoaded()) return;  // starts when the file has opened
    KeepInsideSelection();
    player_->play();
}

void QtMediaPlayer::Stop() {
    playing_ = false;
    player_->pause();
}

void QtMediaPlayer::SetSelectionStart(double frame) {
    selectionStart_ = frame;
    KeepInsideSelection();
}

void QtMediaPlayer::SetSelectionEnd(double frame) {
    selectionEnd_ = frame;
    KeepInsideSelection();
}

int QtMediaPlayer::SavedValue() const {
    return static_cast<int>(std::lround(audio_->volume() * 100.0f));
}

void QtMediaPlayer::SetSavedValue(int value) {
    audio_->setVolume(static_cast<float>(std::clamp(value, 0, 100)) / 100.0f);
}

int QtMediaPlayer::ReadyState() const {
    if (failed_) return kReadyUninitialised;
    if (opening_) return 1;
    switch (player_->mediaStatus()) {
        case QMediaPlayer::NoMedia:
        case QMediaPlayer::InvalidMedia:
            return kReadyUninitialised;
        case QMediaPlayer::LoadingMedia:
            return 1;
        case QMediaPlayer::StalledMedia:
            return 3;
        case QMediaPlayer::LoadedMedia:
        case QMediaPlayer::BufferingMedia:
        case QMediaPlayer::BufferedMedia:
        case QMediaPlayer::EndOfMedia:
            return kReadyComplete;
    }
    return kReadyUninitialised;
}

QSize QtMediaPlayer::SizeInTwips() const {
    const auto scale = TwipsScale::ForScreen(video_->screen());
    return {scale.TwipsX(video_->width()), scale.TwipsY(video_->height())};
}

double QtMediaPlayer::FrameRate() const {
    const double streamRate = player_->metaData().value(QMediaMetaData::VideoFrameRate).toDouble();
    if (IsUsableRate(streamRate)) return streamRate;
    if (IsUsableRate(headerFrameRate_)) return headerFrameRate_;
    return kFallbackFrameRate;
}

bool QtMediaPlayer::IsPlaying() const {
    return player_->playbackState() == QMediaPlayer::PlayingState;
}

qint64 QtMediaPlayer::PositionMs() const {
    return player_->position();
}

void QtMediaPlayer::MediaStatusChanged(QMediaPlayer::MediaStatus status) {
    switch (status) {
        case QMediaPlayer::LoadedMedia:
            // A movie whose picture no decoder can show counts as not opened: the preview
            // is there to show the picture.
            if (opening_) FinishOpening(player_->hasVideo());
            break;
        case QMediaPlayer::InvalidMedia:
            if (opening_) FinishOpening(false);
            break;
        case QMediaPlayer::EndOfMedia:
            // The selection runs past the movie's end: loop from its start, once the back
            // end has finished reporting the end.
            if (playing_) Later([this] { StartAtSelection(); });
            break;
        default:
            break;
    }
}

void QtMediaPlayer::ErrorOccurred(QMediaPlayer::Error error) {
    if (error == QMediaPlayer::NoError) return;
    if (opening_) {
        FinishOpening(false);
    } else if (!fileName_.isEmpty()) {
        failed_ = true;
    }
}

void QtMediaPlayer::FrameShown(const QVideoFrame& frame) {
    if (!sizePending_ || !frame.isValid()) return;
    sizePending_ = false;
    if (!frame.size().isEmpty()) video_->resize(frame.size());
}

void QtMediaPlayer::FinishOpening(bool opened) {
    opening_ = false;
    failed_ = !opened;
    if (opened) {
        const auto resolution = player_->metaData().value(QMediaMetaData::Resolution).toSize();
        if (resolution.isValid() && !resolution.isEmpty()) {
            video_->resize(resolution);
            sizePending_ = false;
        }
        if (autoStart_ || playing_) StartAtSelection();
    } else {
        playing_ = false;
        // Nothing to show, so keep no hold on the file; FileName still reports it.
        Later([this] {
            player_->stop();
            player_->setSource(QUrl());
        });
    }
    if (openNotification_) openNotification_(ReadyState());
}

void QtMediaPlayer::StartAtSelection() {
    playing_ = true;
    player_->setPosition(StartMs());
    player_->play();
}

void QtMediaPlayer::LoopAtSelectionEnd(qint64 positionMs) {
    if (playing_ && positionMs >= EndMs()) player_->setPosition(StartMs());
}

void QtMediaPlayer::KeepInsideSelection() {
    if (!playing_ || !IsLoaded()) return;
    const auto position = player_->position();
    if (position < StartMs() || position >= EndMs()) player_->setPosition(StartMs());
}

void QtMediaPlayer::Later(std::function<void()> step) {
    // A step queued for one file must not touch the next one.
    const auto generation = openGeneration_;
    QMetaObject::invokeMethod(
        this,
        [this, generation, step = std::move(step)] {
            if (generation == openGeneration_) step();
        },
        Qt::QueuedConnection);
}

bool QtMediaPlayer::IsLoaded() const {
    return !failed_ && ReadyState() == kReadyComplete;
}

qint64 QtMediaPlayer::FrameToMs(double frame) const {
    if (!std::isfinite(frame) || frame <= 0.0) return 0;
    return static_cast<qint64>(std::llround(frame * 1000.0 / FrameRate()));
}

qint64 QtMediaPlayer::StartMs() const {
    return FrameToMs(selectionStart_);
}

qint64 QtMediaPlayer::EndMs() const {
    // An empty or reversed selection still shows its first frame rather than nothing.
    const double end = std::max(selectionEnd_, selectionStart_ + 1.0);
    return FrameToMs(end);
}

}  // namespace brelvo::platform::qt
