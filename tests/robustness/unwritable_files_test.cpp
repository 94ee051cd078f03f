// SPDX-License-Identifier: GPL-2.0-or-later
// Files the user may not write, files that go away or change, and paths that are no files:
// each gets a clear error and leaves every file as it was.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "audio/extract_audio.h"
#include "audio/reintegrate_audio.h"
#include "avi/field_patch.h"
#include "cli/cli_commands.h"
#include "info/author_items.h"
#include "platform/io_error.h"
#include "tests/robustness/fault_sweep.h"
#include "tests/robustness/robust_movies.h"

namespace brelvo::testing {
namespace {

namespace fs = std::filesystem;

// The command's exit status; 99 unless its error names `named`.
int Command(const std::vector<std::string>& args, const std::string& named) {
    std::ostringstream out, err;
    const int status = cli::RunCli(args, out, err);
    return err.str().find(named) == std::string::npos ? 99 : status;
}

// A read-only movie in a folder nobody may write, checked in a child process as an ordinary
// user (permission bits do not stop root): the window's load refuses a movie it may not make
// writable before any write, the commands exit 1 naming the file, no WAV file appears.
TEST(UnwritableFiles, ReadOnlyMovieInAReadOnlyFolder) {
    const std::string path = WriteTempFile(EditableMovie());
    const fs::path folder = fs::path(path).parent_path();
    const auto read = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const auto exec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    fs::permissions(path, read);
    fs::permissions(folder, read | exec);
    for (auto f = folder.parent_path(); f != fs::temp_directory_path() && f != f.root_path();
         f = f.parent_path()) {
        fs::permissions(f, exec | read | fs::perms::owner_all);
    }
    const std::string wavPath = Beside(path, "sound.wav");
    const bool ownedByAnother = geteuid() == 0;  // the child runs as another user then
    const pid_t child = fork();
    if (child == 0) {
        if (ownedByAnother && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(90);
        if (ownedByAnother) {  // its owner's own read-only movie is made writable, as meant
            try {
                LoadAsTheWindowDoes(path);
                _exit(1);
            } catch (const platform::IoError& e) {
                if (e.Op() != platform::FileOp::Attributes) _exit(2);
            }
        }
        if (Command({"set-fourcc", "--handler", "XVID", path}, path) != cli::kExitFailure) _exit(3);
        if (Command({"extract-audio", path, wavPath}, wavPath) != cli::kExitFailure) _exit(4);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(ReadWholeFile(path), EditableMovie());
    EXPECT_FALSE(fs::exists(wavPath));
}

// A movie removed since loading is never created anew; one replaced by another (a new encode
// under the same name) is refused by every writer, since the loaded offsets mean nothing in it.
TEST(UnwritableFiles, MovieRemovedOrReplacedSinceLoading) {
    const std::string path = WriteTempFile(EditableMovie());
    const auto loaded = LoadAsTheWindowDoes(path);
    const auto track = TrackOf(path);
    const std::string wavPath = Beside(path, "sound.wav");
    audio::ExtractAudio(path, track, wavPath);
    fs::remove(path);
    EXPECT_THROW(avi::ApplyEdit(path, avi::HeaderEdit(loaded.record)), platform::IoError);
    EXPECT_THROW(audio::ReintegrateAudio(path, track, wavPath), platform::IoError);
    EXPECT_THROW(audio::ExtractAudio(path, track, wavPath), platform::IoError);
    EXPECT_FALSE(fs::exists(path)) << "an edit created the removed movie anew";

    // A different length, as nearly every other encode has.
    const Bytes replacement = MakeSimpleMovie({.frames = 12});
    WriteFile(path, replacement);
    EXPECT_THROW(audio::RunReintegration(path, loaded.record, std::nullopt, wavPath, {},
                                         [](const std::string&) { return true; }),
                 avi::PatchRefused);
    avi::HeaderEdit edit(loaded.record);
    info::AddAuthorItems(edit, {{"INAM", "another title"}});
    EXPECT_THROW(avi::ApplyPlan(path, edit.plan), avi::PatchRefused);
    EXPECT_TRUE(ReadWholeFile(path) == replacement) << "the edit wrote into another movie";
}

TEST(UnwritableFiles, PathsThatAreNoFiles) {
    const std::string folder = Beside(WriteTempFile(EditableMovie()), "clip.avi");
    fs::create_directory(folder);
    EXPECT_THROW(LoadAsTheWindowDoes(folder), platform::IoError);
    // A movie name that leads to a device: nothing to read, nothing ever written.
    const std::string device = Beside(folder, "device.avi");
    fs::create_symlink("/dev/null", device);
    EXPECT_TRUE(LoadAsTheWindowDoes(device).chunkMap.empty());
    for (const auto& path : {folder, device, std::string("/dev/null")}) {
        EXPECT_EQ(Command({"set-delay", "--units", "4", path}, path), cli::kExitFailure) << path;
    }
}

}  // namespace
}  // namespace brelvo::testing
