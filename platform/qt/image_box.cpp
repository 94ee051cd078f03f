// SPDX-License-Identifier: GPL-2.0-or-later
// The picture control.
#include "platform/qt/image_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace brelvo::platform::qt {

ImageBox::ImageBox(QWidget* parent) : QWidget(parent), renderer_(new QSvgRenderer(this)) {
    setCursor(Qt::PointingHandCursor);
}

bool ImageBox::SetSvg(const QByteArray& svg) {
    const bool ok = renderer_->load(svg);
    update();
    return ok;
}

bool ImageBox::HasPicture() const {
    return renderer_->isValid();
}

void ImageBox::paintEvent(QPaintEvent*) {
    if (!renderer_->isValid()) return;
    QPainter painter(this);
    renderer_->render(&painter, QRectF(rect()));
}

void ImageBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit Click();
    }
    QWidget::mouseReleaseEvent(event);
}

}  // namespace brelvo::platform::qt
