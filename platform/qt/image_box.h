// SPDX-License-Identifier: GPL-2.0-or-later
// A picture control: an SVG drawing stretched over the control, with a click notification.
#pragma once

#include <QByteArray>
#include <QWidget>

class QSvgRenderer;

namespace brelvo::platform::qt {

class ImageBox : public QWidget {
    Q_OBJECT

  public:
    explicit ImageBox(QWidget* parent = nullptr);

    // False when the data is no valid SVG (the box then stays empty).
    bool SetSvg(const QByteArray& svg);
    bool HasPicture() const;

  signals:
    void Click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QSvgRenderer* renderer_;
};

}  // namespace brelvo::platform::qt
