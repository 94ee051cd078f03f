// SPDX-License-Identifier: GPL-2.0-or-later
// A frame as Windows draws one: an etched rectangle whose top line runs through the middle of
// the caption, the caption sitting on the border near the left corner. The controls inside
// are placed from the frame's own corner, so the caption takes no room from them.
#pragma once

#include <QGroupBox>

namespace brelvo::platform::qt {

class FrameBox : public QGroupBox {
    Q_OBJECT

  public:
    explicit FrameBox(const QString& caption, QWidget* parent = nullptr);

    // Where the caption is drawn, in the frame's coordinates (empty without a caption).
    QRect CaptionRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace brelvo::platform::qt
