// SPDX-License-Identifier: GPL-2.0-or-later
// A real comma-decimal locale for the time of a test: the C library's locale switched to
// de_DE.UTF-8 (as the window's toolkit does from such an environment) and the shown patterns'
// separator set to its comma, as the program does at start. The project's set-up generates
// the locale; a machine without it fails the test instead of passing it untried.
#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "platform/number_text.h"

namespace brelvo::testing {

#ifdef _WIN32
inline constexpr const char* kCommaLocale = "German_Germany.1252";
#else
inline constexpr const char* kCommaLocale = "de_DE.UTF-8";
#endif

class CommaLocale {
  public:
    CommaLocale()
        : previousLocale_(std::setlocale(LC_ALL, nullptr)),
          previousSeparator_(platform::DecimalSeparator()) {
        available_ = std::setlocale(LC_ALL, kCommaLocale) != nullptr;
        platform::SetDecimalSeparator(',');
    }
    ~CommaLocale() {
        std::setlocale(LC_ALL, previousLocale_.c_str());
        platform::SetDecimalSeparator(previousSeparator_);
    }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool Available() const { return available_; }
    // The locale exists and its decimal point is a comma.
    ::testing::AssertionResult Active() const {
        if (!available_) {
            return ::testing::AssertionFailure() << "the locale " << kCommaLocale
                                                 << " is missing (scripts/install-deps makes it)";
        }
        const std::lconv* conventions = std::localeconv();
        if (conventions == nullptr || std::string(conventions->decimal_point) != ",") {
            return ::testing::AssertionFailure() << kCommaLocale << " has no decimal comma";
        }
        return ::testing::AssertionSuccess();
    }

  private:
    std::string previousLocale_;
    char previousSeparator_;
    bool available_ = false;
};

}  // namespace brelvo::testing

// Fails the test when the comma locale is missing. Windows has no set-up step that could make
// one, so a Windows system without it skips instead.
#ifdef _WIN32
#define BRELVO_ASSERT_COMMA_LOCALE(locale)                                   \
    if (!(locale).Available()) GTEST_SKIP() << "no German locale installed"; \
    ASSERT_TRUE((locale).Active())
#else
#define BRELVO_ASSERT_COMMA_LOCALE(locale) ASSERT_TRUE((locale).Active())
#endif
