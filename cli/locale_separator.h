// SPDX-License-Identifier: GPL-2.0-or-later
// The decimal separator of the user's locale for the shown number patterns, so brelvo-cli
// prints numbers as the window does.
#pragma once

namespace brelvo::cli {

// Reads LC_NUMERIC's decimal point from the environment and hands it to the number patterns.
// The C library's own numeric locale is put back to "C" afterwards, so that nothing else
// the command prints follows it.
void UseLocaleDecimalSeparator();

}  // namespace brelvo::cli
