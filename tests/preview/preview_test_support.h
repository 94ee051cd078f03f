// SPDX-License-Identifier: GPL-2.0-or-later
// Shared pieces of the preview tests: the application object and a readable call log.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/fake_media_player.h"

namespace brelvo::preview::testing {

// The application lives from the first test that needs it to the end of the test run; it
// goes before the program's exit, which would tear it down after parts of Qt it still uses.
class ApplicationEnvironment : public ::testing::Environment {
  public:
    void TearDown() override { application.reset(); }
    std::unique_ptr<QApplication> application;
};

// A member to declare first in a fixture that holds widgets.
struct ApplicationGuard {
    ApplicationGuard() {
        static int argc = 1;
        static char name[] = "preview_tests";
        static char* argv[] = {name, nullptr};
        // The test framework takes ownership of the environments it is given.
        static auto* const environment = static_cast<ApplicationEnvironment*>(
            ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment));
        if (!environment->application && QApplication::instance() == nullptr) {
            environment->application = std::make_unique<QApplication>(argc, argv);
        }
    }
};

// The fake's calls with each wait (auto-start writes and ready-state polls) as one "Wait".
inline std::vector<std::string> WithWaits(const platform::qt::FakeMediaPlayer& player) {
    std::vector<std::string> out;
    for (const auto& call : player.Calls()) {
        const bool waiting = call == "SetAutoStart(true)" || call == "ReadyState";
        if (!waiting && call != "HasError") out.push_back(call);
        if (waiting && (out.empty() || out.back() != "Wait")) out.push_back("Wait");
    }
    return out;
}

}  // namespace brelvo::preview::testing
