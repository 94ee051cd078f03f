// SPDX-License-Identifier: GPL-2.0-or-later
// The one QApplication of a Qt test program. It lives from before the first test to after the
// last: a static one would be destroyed after Qt's own globals at exit and crash.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace brelvo::testing {

class QtApplicationEnvironment final : public ::testing::Environment {
  public:
    void SetUp() override {
        if (QApplication::instance() == nullptr) {
            application_ = std::make_unique<QApplication>(argc_, argv_);
        }
    }
    void TearDown() override { application_.reset(); }

  private:
    int argc_ = 1;
    char name_[sizeof "brelvo_tests"] = "brelvo_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

// One registration per program, whichever of its files include this; gtest owns it.
inline ::testing::Environment* const kQtApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace brelvo::testing
