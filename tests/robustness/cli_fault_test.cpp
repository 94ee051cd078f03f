// SPDX-License-Identifier: GPL-2.0-or-later
// brelvo-cli's writing commands failing at each open, read, write and seek in turn: exit
// status 1, a line naming the file and the reason, and the movie holding exactly the writes
// made before the failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/cli_commands.h"
#include "tests/robustness/fault_sweep.h"
#include "tests/robustness/robust_movies.h"

namespace brelvo::testing {
namespace {

namespace fs = std::filesystem;

// The command's failure as a user sees it; checks the exit status and that the message
// names one of the files.
WriterUnderTest::Run Command(std::vector<std::string> args, std::vector<std::string> paths) {
    return [args = std::move(args), paths = std::move(paths)]() -> std::optional<std::string> {
        std::ostringstream out, err;
        const int status = cli::RunCli(args, out, err);
        if (status == cli::kExitOk) return std::nullopt;
        EXPECT_EQ(status, cli::kExitFailure) << err.str();
        const bool named = std::any_of(paths.begin(), paths.end(), [&](const std::string& p) {
            return err.str().find(p) != std::string::npos;
        });
        EXPECT_TRUE(named) << "the message names no file: " << err.str();
        return err.str();
    };
}

// Every edit command goes through the same write plan; one of two fields stands for them all.
TEST(CliUnderFaults, HeaderCommand) {
    const std::string path = WriteTempFile(EditableMovie());
    const auto decoded = DecodeOnly(path);
    const auto& video = *decoded.record.VideoStream();
    WriterUnderTest writer{
        "brelvo-cli set-fourcc",
        path,
        Command({"set-fourcc", "--handler", "XVID", "--compression", "XVID", path}, {path}),
        {RegionOf(video.handlerField), RegionOf(video.video->compressionField)}};
    EXPECT_EQ(SweepFaults(writer).writesInFullRun, 2);
    // The second write failing leaves the first field in the file, and the user learns so.
    const auto second = [&] {
        platform::ScopedFaultInjection injection(
            platform::FaultPlan(platform::FaultKind::Write, 2));
        return Command({"set-fourcc", "--handler", "DIV3", "--compression", "DIV3", path},
                       {path})();
    }();
    ASSERT_TRUE(second);
    EXPECT_NE(second->find("4 of the edit's bytes had been written before it"), std::string::npos)
        << *second;
}

// The audio commands share their failure report; re-integration is the same job as the
// window's and is swept in the core.
TEST(CliUnderFaults, AudioCommand) {
    const std::string path = WriteTempFile(EditableMovie());
    const std::string wavPath = fs::path(path).replace_filename("sound.wav").string();
    WriterUnderTest extract{"brelvo-cli extract-audio",
                            path,
                            Command({"extract-audio", path, wavPath}, {path, wavPath}),
                            {}};
    extract.afterRun = [&](const platform::FaultPlan&, bool failed) {
        EXPECT_EQ(fs::exists(wavPath), !failed);
        fs::remove(wavPath);
    };
    SweepFaults(extract);
}

}  // namespace
}  // namespace brelvo::testing
