// SPDX-License-Identifier: GPL-2.0-or-later
// Files the user may not write, files that go away or change, and paths that are no files:
// each gets a clear error and leaves every file as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "audio/audio_error.h"
#include "audio/audio_track.h"
#include "audio/extract_audio.h"
#include "audio/reintegrate_audio.h"
#include "avi/field_patch.h"
#include "avi/scan_chunks.h"
#include "cli/cli_commands.h"
#include "editing/codec_tag.h"
#include "info/author_items.h"
#include "platform/file_open_hook.h"
#include "platform/io_error.h"
#include "tests/robustness/fault_sweep.h"
#include "tests/robustness/robust_movies.h"

namespace brelvo::testing {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

audio::AudioTrack TrackOf(const std::string& path, const LoadedFile& loaded) {
    const auto file = platform::OpenFile(path, platform::OpenMode::Read);
    return audio::AudioTrackFromRecord(*file, loaded.record);
}

// Runs the check in a child process as an ordinary user, since permission bits do not stop
// root; returns the child's exit status (0 when every check held).
int AsOrdinaryUser(const std::function<int()>& checks) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(90);
        _exit(checks());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

struct CliOutcome {
    int status;
    std::string err;
};
CliOutcome RunCommand(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::RunCli(args, out, err);
    return {status, err.str()};
}

// A read-only copy of the movie in a folder that everyone may enter and nobody may write;
// the folder becomes writable again when the guard goes, so it can be cleaned up.
class ReadOnlyMovie {
  public:
    ReadOnlyMovie() : path_(WriteTempFile(EditableMovie())) {
        const auto readOnly =
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
        const auto exec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
        fs::permissions(path_, readOnly);
        fs::permissions(Folder(), readOnly | exec);
        // The test folders above it must let an ordinary user through.
        for (auto f = Folder().parent_path(); f != fs::temp_directory_path() && f != f.root_path();
             f = f.parent_path()) {
            fs::permissions(
                f, exec | fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
        }
    }
    ~ReadOnlyMovie() { fs::permissions(Folder(), fs::perms::owner_all, fs::perm_options::add); }
    ReadOnlyMovie(const ReadOnlyMovie&) = delete;
    ReadOnlyMovie& operator=(const ReadOnlyMovie&) = delete;

    const std::string& Path() const { return path_; }
    fs::path Folder() const { return fs::path(path_).parent_path(); }

  private:
    std::string path_;
};

TEST(UnwritableFiles, ReadOnlyMovieIsRefusedAndKept) {
    const ReadOnlyMovie movie;
    const std::string& path = movie.Path();
    const Bytes before = ReadWholeFile(path);
    const bool ownedByAnother = geteuid() == 0;  // the child runs as another user then
    const int status = AsOrdinaryUser([&] {
        // The window: a movie the user may not make writable stops the load before any write.
        // (Its owner's own read-only movie is made writable, as the window means to.)
        if (ownedByAnother) {
            try {
                LoadAsTheWindowDoes(path);
                return 1;
            } catch (const platform::IoError& e) {
                if (e.Op() != platform::FileOp::Attributes) return 2;
            }
        }
        // The command line: exit 1 with a line naming the movie.
        const auto outcome = RunCommand({"set-fourcc", "--handler", "XVID", path});
        if (outcome.status != cli::kExitFailure) return 3;
        if (outcome.err.find(path) == std::string::npos) return 4;
        return 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadWholeFile(path), before);
}

TEST(UnwritableFiles, WavIntoAReadOnlyFolderIsRefused) {
    const ReadOnlyMovie movie;
    const std::string& path = movie.Path();
    const std::string wavPath = fs::path(path).replace_filename("sound.wav").string();
    const int status = AsOrdinaryUser([&] {
        try {
            const auto file = platform::OpenFile(path, platform::OpenMode::Read);
            audio::ExtractAudio(path, audio::FindAudioTrack(*file), wavPath);
            return 1;
        } catch (const platform::IoError& e) {
            if (e.Path().find(fs::path(path).parent_path().string()) != 0) return 2;
        }
        const auto outcome = RunCommand({"extract-audio", path, wavPath});
        return outcome.status == cli::kExitFailure && outcome.err.find(wavPath) != std::string::npos
                   ? 0
                   : 3;
    });
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(fs::exists(wavPath));
}

TEST(UnwritableFiles, MovieRemovedSinceLoadingIsReported) {
    const std::string path = WriteTempFile(EditableMovie());
    const auto loaded = LoadAsTheWindowDoes(path);
    const auto track = TrackOf(path, loaded);
    const std::string wavPath = fs::path(path).replace_filename("sound.wav").string();
    audio::ExtractAudio(path, track, wavPath);
    fs::remove(path);
    EXPECT_THROW(avi::ApplyEdit(path, avi::HeaderEdit(loaded.record)), platform::IoError);
    EXPECT_THROW(audio::ReintegrateAudio(path, track, wavPath), platform::IoError);
    EXPECT_THROW(audio::ExtractAudio(path, track, wavPath), platform::IoError);
    EXPECT_FALSE(fs::exists(path)) << "an edit created the removed movie anew";
    fs::remove(wavPath);
    EXPECT_THROW(audio::ReintegrateAudio(WriteTempFile(EditableMovie()), track, wavPath),
                 audio::AudioError);
}

TEST(UnwritableFiles, MovieRemovedWhileAToolHoldsItOpen) {
    const std::string path = WriteTempFile(EditableMovie());
    const auto track = [&] {
        const auto file = platform::OpenFile(path, platform::OpenMode::Read);
        return audio::FindAudioTrack(*file);
    }();
    const std::string wavPath = fs::path(path).replace_filename("sound.wav").string();
    // The movie's name goes away the moment it is opened; the open file stays readable.
    platform::ScopedFileOpenHook removeOnOpen(
        [&](const std::string& opened, platform::OpenMode,
            std::unique_ptr<platform::RandomAccessFile> file) {
            if (opened == path) fs::remove(path);
            return file;
        });
    const auto result = audio::ExtractAudio(path, track, wavPath);
    EXPECT_EQ(result.dataBytes, 4 * 64);
    EXPECT_EQ(fs::file_size(wavPath), 44u + 4 * 64);
}

// The user replaced the movie (say, by a new encode under the same name) while it was open:
// offsets found in the old file mean nothing in the new one, and writing there would damage
// it. The edit must see that the file is not the one it loaded.
TEST(UnwritableFiles, EditOfAMovieReplacedSinceLoadingIsRefused) {
    const std::string path = WriteTempFile(EditableMovie());
    const auto loaded = LoadAsTheWindowDoes(path);
    const std::string wavPath = fs::path(path).replace_filename("sound.wav").string();
    audio::ExtractAudio(path, TrackOf(path, loaded), wavPath);
    SimpleMovie other;
    other.frames = 12;  // a different length, as nearly every other encode has
    const Bytes replacement = MakeSimpleMovie(other);
    RestoreFile(path, replacement);
    // Every write is a plan of the loaded movie: a header edit, the exit write-back and
    // re-integration alike.
    EXPECT_THROW(audio::RunReintegration(path, loaded.record, std::nullopt, wavPath, {},
                                         [](const std::string&) { return true; }),
                 avi::PatchRefused);
    avi::HeaderEdit edit(loaded.record);
    info::AddAuthorItems(edit, {{"INAM", "another title"}});
    EXPECT_THROW(avi::ApplyPlan(path, edit.plan), avi::PatchRefused);
    EXPECT_THROW(avi::ApplyPlan(
                     path, avi::HeaderRestorePlan(loaded.headerBackup, loaded.record.loadedLength)),
                 avi::PatchRefused);
    EXPECT_TRUE(ReadWholeFile(path) == replacement) << "the edit wrote into another movie";
}

TEST(UnwritableFiles, PathsThatAreNoFiles) {
    const std::string folder =
        (fs::path(WriteTempFile(EditableMovie())).parent_path() / "clip.avi").string();
    fs::create_directory(folder);
    try {
        LoadAsTheWindowDoes(folder);
        ADD_FAILURE() << "a folder loaded as a movie";
    } catch (const platform::IoError& e) {
        EXPECT_EQ(e.Path(), folder);
        EXPECT_NE(e.Reason(), "");
    }
    // A movie name that leads to a device: nothing to read, nothing ever written.
    const std::string device = fs::path(folder).replace_filename("device.avi").string();
    fs::create_symlink("/dev/null", device);
    const auto loaded = LoadAsTheWindowDoes(device);
    EXPECT_TRUE(loaded.chunkMap.empty());
    avi::HeaderEdit edit(loaded.record);
    EXPECT_THROW(editing::AddCodecTag(edit, editing::CodecTarget::Handler, "xvid"),
                 avi::PatchRefused);

    for (const auto& path : {folder, device, std::string("/dev/null")}) {
        const auto outcome = RunCommand({"set-delay", "--units", "4", path});
        EXPECT_EQ(outcome.status, cli::kExitFailure) << path;
        EXPECT_NE(outcome.err.find(path), std::string::npos) << outcome.err;
    }
    const std::string movie = WriteTempFile(EditableMovie());
    const std::string wavFolder = fs::path(movie).replace_filename("out.wav").string();
    fs::create_directory(wavFolder);
    EXPECT_EQ(RunCommand({"extract-audio", movie, wavFolder}).status, cli::kExitFailure);
    EXPECT_EQ(RunCommand({"reintegrate-audio", movie, wavFolder}).status, cli::kExitFailure);
    EXPECT_TRUE(fs::is_directory(wavFolder));
}

}  // namespace
}  // namespace brelvo::testing
