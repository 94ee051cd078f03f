// SPDX-License-Identifier: GPL-2.0-or-later
// Twips to pixels through the logical DPI.
#include "platform/qt/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace brelvo::platform::qt {

namespace {
constexpr double kFallbackDpi = 96.0;

int Scale(int value, double from, double to) {
    return static_cast<int>(std::lround(static_cast<double>(value) * to / from));
}
}  // namespace

TwipsScale TwipsScale::ForScreen(const QScreen* screen) {
    if (screen == nullptr && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) return {kFallbackDpi, kFallbackDpi};
    return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}

int TwipsScale::X(int twips) const {
    return Scale(twips, kTwipsPerInch, dpiX_);
}
int TwipsScale::Y(int twips) const {
    return Scale(twips, kTwipsPerInch, dpiY_);
}
int TwipsScale::TwipsX(int pixels) const {
    return Scale(pixels, dpiX_, kTwipsPerInch);
}
int TwipsScale::TwipsY(int pixels) const {
    return Scale(pixels, dpiY_, kTwipsPerInch);
}

}  // namespace brelvo::platform::qt
