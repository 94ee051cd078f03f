// SPDX-License-Identifier: GPL-2.0-or-later
// Every input a fuzzer ever found faulty, replayed through its harness: tests/regressions/
// <harness>/ holds one file per fault, named after it.
#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/fuzz_targets.h"
#include "tests/support/riff_builder.h"

namespace brelvo::fuzz {
namespace {

TEST(RegressionReplay, EverySavedInputPassesItsHarness) {
    const std::filesystem::path root = BRELVO_REGRESSION_DIR;
    int replayed = 0;
    for (const auto& target : FuzzTargets()) {
        const auto folder = root / std::string(target.name);
        if (!std::filesystem::is_directory(folder)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (!entry.is_regular_file() || entry.path().filename().string().starts_with('.')) {
                continue;
            }
            SCOPED_TRACE(entry.path().string());
            const auto input = testing::ReadWholeFile(entry.path().string());
            EXPECT_NO_THROW(target.run(input));
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0) << "no regression inputs under " << root;
}

// The harness bodies also hold for the committed fixtures, so a harness that rejects every
// real movie (and so fuzzes nothing) is noticed here rather than by an idle fuzzer.
TEST(RegressionReplay, HarnessesAcceptTheFixtures) {
    for (const auto& entry : std::filesystem::directory_iterator(BRELVO_FIXTURE_DIR)) {
        if (entry.path().extension() != ".avi") continue;
        SCOPED_TRACE(entry.path().string());
        const auto input = testing::ReadWholeFile(entry.path().string());
        for (const auto& target : FuzzTargets()) EXPECT_NO_THROW(target.run(input)) << target.name;
    }
}

}  // namespace
}  // namespace brelvo::fuzz
