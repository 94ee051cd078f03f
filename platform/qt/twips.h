// SPDX-License-Identifier: GPL-2.0-or-later
// Twips (1/1440 inch), the unit of every window and control position, turned into pixels
// through the screen's logical DPI.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;

namespace brelvo::platform::qt {

inline constexpr int kTwipsPerInch = 1440;

// Left, top, width and height in twips, as the window tables give them.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class TwipsScale {
  public:
    // dpiX/dpiY: logical dots per inch of the screen the window shows on.
    TwipsScale(double dpiX, double dpiY) : dpiX_(dpiX), dpiY_(dpiY) {}
    // The scale of a screen; the primary screen when none is given (96 DPI without a screen).
    static TwipsScale ForScreen(const QScreen* screen = nullptr);

    int X(int twips) const;  // horizontal distance in pixels, rounded to the nearest pixel
    int Y(int twips) const;  // vertical distance in pixels
    QSize Size(int widthTwips, int heightTwips) const { return {X(widthTwips), Y(heightTwips)}; }
    QRect Rect(const TwipsRect& r) const { return {X(r.left), Y(r.top), X(r.width), Y(r.height)}; }
    // Pixels back to twips (the player reports its size in twips).
    int TwipsX(int pixels) const;
    int TwipsY(int pixels) const;

    double DpiX() const { return dpiX_; }
    double DpiY() const { return dpiY_; }

  private:
    double dpiX_;
    double dpiY_;
};

}  // namespace brelvo::platform::qt
