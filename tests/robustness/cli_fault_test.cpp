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

std::vector<Region> Fields(const std::vector<avi::FieldRef>& fields) {
    std::vector<Region> regions;
    for (const auto& f : fields) regions.push_back(RegionOf(f));
    return regions;
}

TEST(CliUnderFaults, HeaderCommands) {
    const std::string path = WriteTempFile(EditableMovie());
    const auto decoded = DecodeOnly(path);
    const auto& video = *decoded.record.VideoStream();
    const auto& audio = *decoded.record.AudioStream();
    const avi::FieldRef microSec = decoded.record.LastMainHeader()->microSecPerFrameField;
    const struct {
        std::vector<std::string> args;
        std::vector<Region> allowed;
        std::int64_t writes;
    } commands[] = {
        {{"set-fourcc", "--handler", "XVID", "--compression", "XVID", path},
         Fields({video.handlerField, video.video->compressionField}),
         2},
        {{"set-fps", "30000/1001", path}, Fields({video.rateField, video.scaleField, microSec}), 3},
        {{"set-delay", "--units", "1000", path}, Fields({audio.startField}), 1},
        {{"set-info", "--name", "New", "--artist", "Jane", "--display-name", "Shown", path},
         TextItemRegions(decoded),
         3},
    };
    for (const auto& c : commands) {
        WriterUnderTest writer{"brelvo-cli " + c.args[0], path, Command(c.args, {path}), c.allowed};
        EXPECT_EQ(SweepFaults(writer).writesInFullRun, c.writes) << c.args[0];
    }
}

TEST(CliUnderFaults, AudioCommands) {
    const std::string path = WriteTempFile(EditableMovie());
    const std::string folder = fs::path(path).parent_path().string();
    const std::string wavPath = folder + "/sound.wav";
    std::ostringstream ignored;
    ASSERT_EQ(cli::RunCli({"extract-audio", path, wavPath}, ignored, ignored), 0);
    Bytes wav = ReadWholeFile(wavPath);
    for (std::size_t k = 44; k < wav.size(); ++k) wav[k] = ~wav[k];  // 16-byte PCM format
    const std::string editedPath = folder + "/edited.wav";
    RestoreFile(editedPath, wav);
    fs::remove(wavPath);

    WriterUnderTest reintegrate{
        "brelvo-cli reintegrate-audio", path,
        Command({"reintegrate-audio", path, editedPath}, {path, editedPath}),
        AudioPayloadRegions(path)};
    EXPECT_GE(SweepFaults(reintegrate).writesInFullRun, 4);

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
