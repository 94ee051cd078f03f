// SPDX-License-Identifier: GPL-2.0-or-later
// Every input a fuzzer ever found faulty, replayed through its harness: tests/regressions/
// <harness>/ holds one file per fault, named after it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/fuzz_targets.h"

namespace brelvo::fuzz {
namespace {

std::vector<std::byte> ReadInput(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> chars((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    std::vector<std::byte> bytes(chars.size());
    std::transform(chars.begin(), chars.end(), bytes.begin(),
                   [](char c) { return static_cast<std::byte>(c); });
    return bytes;
}

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
            const auto input = ReadInput(entry.path());
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
        const auto input = ReadInput(entry.path());
        for (const auto& target : FuzzTargets()) EXPECT_NO_THROW(target.run(input)) << target.name;
    }
}

}  // namespace
}  // namespace brelvo::fuzz
