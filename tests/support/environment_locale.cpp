// SPDX-License-Identifier: GPL-2.0-or-later
// Every test program takes the C library's locale from its environment, as the window's
// toolkit does at start: run under a comma-decimal locale, the suite proves that no number is
// read or written through it.
#include <clocale>

namespace {
[[maybe_unused]] const bool kLocaleFromEnvironment = std::setlocale(LC_ALL, "") != nullptr;
}  // namespace
