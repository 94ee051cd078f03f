// SPDX-License-Identifier: GPL-2.0-or-later
// Painting a frame with its caption on the border.
#include "platform/qt/frame_box.h"

#include <QPainter>
#include <QStyle>
#include <cmath>

namespace brelvo::platform::qt {

namespace {
// The caption starts a little in from the corner and keeps a gap to the line on either side.
constexpr int kCaptionIndent = 8;
constexpr int kCaptionGap = 2;
}  // namespace

FrameBox::FrameBox(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {
    setFlat(true);
}

QRect FrameBox::CaptionRect() const {
    if (title().isEmpty()) return {};
    const QFontMetricsF metrics(font());
    return {kCaptionIndent, 0, static_cast<int>(std::ceil(metrics.horizontalAdvance(title()))),
            static_cast<int>(std::ceil(metrics.height()))};
}

void FrameBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect caption = CaptionRect();
    const int lineTop = caption.isEmpty() ? 0 : caption.center().y();
    // Etched: a shadow line with a light line one pixel to the right and below.
    const QRect border(0, lineTop, width() - 2, height() - lineTop - 2);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.translated(1, 1));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(border);
    if (caption.isEmpty()) return;
    painter.fillRect(caption.adjusted(-kCaptionGap, 0, kCaptionGap, 0),
                     palette().color(backgroundRole()));
    style()->drawItemText(&painter, caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          palette(), isEnabled(), title(), QPalette::WindowText);
}

}  // namespace brelvo::platform::qt
