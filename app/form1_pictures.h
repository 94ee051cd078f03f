// SPDX-License-Identifier: GPL-2.0-or-later
// The program's own pictures on the main window.
#pragma once

#include <QByteArray>

namespace brelvo::app {

// The "Created by" picture on the Synchronize Audio tab (SVG).
QByteArray Image2Picture();

}  // namespace brelvo::app
