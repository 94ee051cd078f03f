// SPDX-License-Identifier: GPL-2.0-or-later
// The time of day, for the progress speed of the audio tools.
#pragma once

namespace brelvo::platform {

// Seconds since local midnight, with fractions.
double SecondsSinceMidnight();

}  // namespace brelvo::platform
