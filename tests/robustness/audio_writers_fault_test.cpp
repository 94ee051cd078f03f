// SPDX-License-Identifier: GPL-2.0-or-later
// The audio tools failing at each open, read, write and seek in turn: re-integration leaves
// the movie with exactly the payload writes made before the failure; extraction leaves the
// movie untouched and no WAV file, whole or partial, behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "audio/audio_track.h"
#include "audio/extract_audio.h"
#include "audio/reintegrate_audio.h"
#include "platform/random_access_file.h"
#include "tests/robustness/fault_sweep.h"
#include "tests/robustness/robust_movies.h"

namespace brelvo::testing {
namespace {

namespace fs = std::filesystem;

audio::AudioTrack TrackOf(const std::string& moviePath, const LoadedFile& loaded) {
    const auto file = platform::OpenFile(moviePath, platform::OpenMode::Read);
    return audio::AudioTrackFromRecord(*file, loaded.record);
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A WAV file of the movie's own sound with every sample byte inverted, so that writing it
// back changes every payload byte.
std::string InvertedWav(const std::string& moviePath, const audio::AudioTrack& track) {
    const std::string wavPath = fs::path(moviePath).replace_filename("edited.wav").string();
    audio::ExtractAudio(moviePath, track, wavPath);
    Bytes wav = ReadWholeFile(wavPath);
    const auto dataStart = 28 + track.formatSize;
    for (std::size_t k = dataStart; k < wav.size(); ++k) wav[k] = ~wav[k];
    RestoreFile(wavPath, wav);
    return wavPath;
}

TEST(AudioWritersUnderFaults, ReintegrationWritesOnlyPayloadsUpToTheFailure) {
    for (const std::string fixture : {"", "ffmpeg_mpeg4_pcm.avi"}) {
        const std::string path =
            fixture.empty() ? WriteTempFile(EditableMovie()) : CopyFixture(fixture);
        const auto loaded = LoadAsTheWindowDoes(path);
        const auto track = TrackOf(path, loaded);
        const std::string wavPath = InvertedWav(path, track);
        audio::ReintegrationOptions options;
        // The small movie in small blocks: several writes per chunk, reads across chunk edges.
        if (fixture.empty()) options.tuning = {64, 40};
        bool partly = false;  // the failure said the sound track may be partly rewritten
        WriterUnderTest writer{"re-integration " + fixture, path,
                               [&] {
                                   partly = false;
                                   return Reported([&] {
                                       try {
                                           audio::RunReintegration(
                                               path, loaded.record, std::nullopt, wavPath, options,
                                               [](const std::string&) { return true; });
                                       } catch (const audio::ReintegrationFailed& e) {
                                           partly = e.MayBePartlyRewritten();
                                           throw;
                                       }
                                   });
                               },
                               AudioPayloadRegions(path)};
        // A movie that a failed run changed must never be reported as left alone.
        writer.afterRun = [&](const platform::FaultPlan& plan, bool failed) {
            EXPECT_TRUE(!failed || plan.JournalOf(path).empty() || partly);
        };
        EXPECT_GE(SweepFaults(writer).writesInFullRun, 4);
    }
}

TEST(AudioWritersUnderFaults, ExtractionLeavesNoWavFileBehind) {
    for (const bool fullDisk : {false, true}) {
        // The real movie for a clean failure, the small one in small blocks for a full disk.
        const std::string path =
            fullDisk ? WriteTempFile(EditableMovie()) : CopyFixture("ffmpeg_mjpeg_u8.avi");
        const auto loaded = LoadAsTheWindowDoes(path);
        const auto track = TrackOf(path, loaded);
        const std::string folder = fs::path(path).parent_path().string();
        const std::string wavPath = folder + "/sound.wav";
        audio::ExtractAudio(path, track, wavPath);
        const Bytes wanted = ReadWholeFile(wavPath);
        fs::remove(wavPath);
        const auto entries = FolderEntries(folder);

        WriterUnderTest writer{
            fullDisk ? "extraction to a full disk" : "extraction",
            path,
            [&] {
                return Reported([&] {
                    audio::ExtractAudio(path, track, wavPath, nullptr, {512, 1000});
                });
            },
            {}};
        writer.tearWrites = fullDisk;
        writer.afterRun = [&](const platform::FaultPlan&, bool failed) {
            if (failed) {
                EXPECT_FALSE(fs::exists(wavPath)) << "a partial WAV file was left";
            } else {
                EXPECT_EQ(ReadWholeFile(wavPath), wanted);
                fs::remove(wavPath);
            }
            EXPECT_EQ(FolderEntries(folder), entries) << "a temporary file was left";
        };
        SweepFaults(writer);
    }
}

TEST(AudioWritersUnderFaults, FailedExtractionKeepsTheOldWavFile) {
    const std::string path = WriteTempFile(EditableMovie());
    const auto loaded = LoadAsTheWindowDoes(path);
    const auto track = TrackOf(path, loaded);
    const std::string wavPath = fs::path(path).replace_filename("kept.wav").string();
    const Bytes old = ToBytes("RIFF....WAVE an older take");
    RestoreFile(wavPath, old);
    WriterUnderTest writer{
        "extraction over an older WAV file",
        path,
        [&] { return Reported([&] { audio::ExtractAudio(path, track, wavPath); }); },
        {}};
    writer.afterRun = [&](const platform::FaultPlan&, bool failed) {
        if (failed) {
            EXPECT_EQ(ReadWholeFile(wavPath), old) << "the older WAV file was lost";
        }
        RestoreFile(wavPath, old);
    };
    SweepFaults(writer);
}

}  // namespace
}  // namespace brelvo::testing
