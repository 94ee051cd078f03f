// SPDX-License-Identifier: GPL-2.0-or-later
// The locale's decimal separator for brelvo-cli.
#include "cli/locale_separator.h"

#include <clocale>

#include "platform/number_text.h"

namespace brelvo::cli {

void UseLocaleDecimalSeparator() {
    char separator = '.';
    if (std::setlocale(LC_NUMERIC, "") != nullptr) {
        const std::lconv* conventions = std::localeconv();
        // A separator of more than one byte (none in common use) cannot be shown; keep '.'.
        if (conventions != nullptr && conventions->decimal_point != nullptr &&
            conventions->decimal_point[0] != '\0' && conventions->decimal_point[1] == '\0') {
            separator = conventions->decimal_point[0];
        }
    }
    std::setlocale(LC_NUMERIC, "C");
    platform::SetDecimalSeparator(separator);
}

}  // namespace brelvo::cli
