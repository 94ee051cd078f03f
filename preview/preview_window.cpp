// SPDX-License-Identifier: GPL-2.0-or-later
// The preview window: fitting, placement and the watch on the main window.
#include "preview/preview_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QScreen>

#include "platform/qt/twips.h"

namespace brelvo::preview {
namespace {

// Room around the player for the window's frame and caption, as the window was designed.
constexpr int kExtraWidthTwips = 150;
constexpr int kExtraHeightTwips = 350;
constexpr int kPictureInsetTwips = 75;
constexpr int kDesignWidthTwips = 4140;
constexpr int kDesignHeightTwips = 2700;
constexpr int kTimerIntervalMs = 500;

}  // namespace

Form2::Form2(platform::qt::MediaPlayer& amc, std::function<bool()> mainWindowVisible,
             std::function<void()> endProgram, QWidget* parent)
    : QWidget(parent, Qt::Window),
      AMC(amc),
      picture_(amc.VideoWidget()),
      mainWindowVisible_(std::move(mainWindowVisible)),
      endProgram_(std::move(endProgram)) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("AVI Viewer"));
    resize(
        platform::qt::TwipsScale::ForScreen(screen()).Size(kDesignWidthTwips, kDesignHeightTwips));
    if (picture_ != nullptr) {
        picture_->setParent(this);
        picture_->setObjectName(QStringLiteral("AMC"));
    }
    if (!endProgram_) endProgram_ = [] { QCoreApplication::exit(0); };
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(kTimerIntervalMs);
    connect(&Timer1, &QTimer::timeout, this, &Form2::Timer1_Timer);
    AMC.SetOpenNotification([this](int readyState) { AMC_OpenStateChange(readyState); });
}

Form2::~Form2() {
    AMC.SetOpenNotification({});
    // The picture belongs to the player, which may outlive this window.
    if (picture_ != nullptr && picture_->parent() == this) picture_->setParent(nullptr);
}

void Form2::Load() {
    if (!Timer1.isActive()) Timer1.start();
}

void Form2::Unload() {
    Timer1.stop();
    hide();
}

void Form2::AMC_OpenStateChange(int /*readyState*/) {
    FitToPlayer();
    const QScreen* where = screen();
    if (where == nullptr) return;
    const QRect area = where->geometry();
    const int frameWidth = frameGeometry().width();
    move(area.x() + area.width() - frameWidth, area.y());
}

void Form2::Timer1_Timer() {
    FitToPlayer();
    if (mainWindowVisible_ && !mainWindowVisible_()) endProgram_();
}

void Form2::closeEvent(QCloseEvent* event) {
    Timer1.stop();
    // The player outlives the window; a closed preview must not go on playing unseen, nor
    // keep the movie open. The next tab click opens it again.
    AMC.Stop();
    AMC.SetFileName(QString());
    event->accept();
}

void Form2::FitToPlayer() {
    const auto scale = platform::qt::TwipsScale::ForScreen(screen());
    const QSize player = AMC.SizeInTwips();
    resize(scale.Size(player.width() + kExtraWidthTwips, player.height() + kExtraHeightTwips));
    if (picture_ != nullptr)
        picture_->move(scale.X(kPictureInsetTwips), scale.Y(kPictureInsetTwips));
}

}  // namespace brelvo::preview
