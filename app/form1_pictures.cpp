// SPDX-License-Identifier: GPL-2.0-or-later
// The main window's picture: a strip of film with a sound wave and the program's name.
#include "app/form1_pictures.h"

namespace brelvo::app {

namespace {
constexpr char kImage2Svg[] = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 320 90">
  <defs>
    <linearGradient id="film" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#264653"/><stop offset="1" stop-color="#2a9d8f"/>
    </linearGradient>
  </defs>
  <rect x="1" y="1" width="318" height="88" rx="8" fill="#1b1b1b"/>
  <g fill="#f4f1de">
    <rect x="10" y="6" width="10" height="7" rx="2"/><rect x="40" y="6" width="10" height="7" rx="2"/>
    <rect x="70" y="6" width="10" height="7" rx="2"/><rect x="100" y="6" width="10" height="7" rx="2"/>
    <rect x="130" y="6" width="10" height="7" rx="2"/><rect x="160" y="6" width="10" height="7" rx="2"/>
    <rect x="190" y="6" width="10" height="7" rx="2"/><rect x="220" y="6" width="10" height="7" rx="2"/>
    <rect x="250" y="6" width="10" height="7" rx="2"/><rect x="280" y="6" width="10" height="7" rx="2"/>
    <rect x="10" y="77" width="10" height="7" rx="2"/><rect x="40" y="77" width="10" height="7" rx="2"/>
    <rect x="70" y="77" width="10" height="7" rx="2"/><rect x="100" y="77" width="10" height="7" rx="2"/>
    <rect x="130" y="77" width="10" height="7" rx="2"/><rect x="160" y="77" width="10" height="7" rx="2"/>
    <rect x="190" y="77" width="10" height="7" rx="2"/><rect x="220" y="77" width="10" height="7" rx="2"/>
    <rect x="250" y="77" width="10" height="7" rx="2"/><rect x="280" y="77" width="10" height="7" rx="2"/>
  </g>
  <rect x="8" y="18" width="304" height="54" fill="url(#film)"/>
  <path d="M8 52 L40 52 L48 30 L58 66 L68 38 L76 52 L244 52 L252 34 L262 64 L270 44 L278 52 L312 52"
        fill="none" stroke="#e9c46a" stroke-width="3" stroke-linejoin="round"/>
  <text x="160" y="56" font-family="sans-serif" font-size="34" font-weight="bold"
        fill="#ffffff" text-anchor="middle">Brelvo</text>
</svg>)svg";
}  // namespace

QByteArray Image2Picture() {
    return QByteArray::fromRawData(kImage2Svg, sizeof kImage2Svg - 1);
}

}  // namespace brelvo::app
