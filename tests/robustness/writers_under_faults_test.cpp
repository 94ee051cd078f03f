// SPDX-License-Identifier: GPL-2.0-or-later
// Every writer of the programs swept once (see fault_sweep.h): the load-time normalisation, the
// window's edits in one plan, the exit write-back, re-integration, extraction to a full disk,
// and the command line's header and audio commands.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "audio/extract_audio.h"
#include "audio/reintegrate_audio.h"
#include "avi/scan_chunks.h"
#include "cli/cli_commands.h"
#include "editing/audio_delay.h"
#include "editing/codec_tag.h"
#include "editing/frame_rate.h"
#include "info/author_items.h"
#include "tests/robustness/fault_sweep.h"
#include "tests/robustness/robust_movies.h"

namespace brelvo::testing {
namespace {

namespace fs = std::filesystem;
using Failure = std::optional<std::string>;

// A plan applied as the window applies it.
WriterUnderTest PlanWriter(std::string name, const std::string& path, avi::WritePlan plan,
                           std::vector<Region> allowed) {
    return {name, path, [=] { return Reported([&] { avi::ApplyPlan(path, plan); }); },
            std::move(allowed)};
}

// A command as the user runs it: exit status 1 and a message naming one of the files.
WriterUnderTest::Run Command(std::vector<std::string> args, std::vector<std::string> paths,
                             std::shared_ptr<std::string> message = {}) {
    return [=]() -> Failure {
        std::ostringstream out, err;
        const int status = cli::RunCli(args, out, err);
        if (message) *message = err.str();
        if (status == cli::kExitOk) return std::nullopt;
        EXPECT_EQ(status, cli::kExitFailure) << err.str();
        EXPECT_TRUE(std::any_of(
            paths.begin(), paths.end(),
            [&](const std::string& p) { return err.str().find(p) != std::string::npos; }))
            << "the message names no file: " << err.str();
        return err.str();
    };
}

WriterUnderTest Load(const std::string& path) {
    return {"load", path, [=] { return Reported([&] { LoadAsTheWindowDoes(path); }); },
            NormaliseRegions(DecodeOnly(path))};
}

WriterUnderTest WindowEdits(const std::string& path) {
    avi::HeaderEdit edit(LoadAsTheWindowDoes(path).record);
    editing::AddCodecTag(edit, editing::CodecTarget::Handler, "xvid");
    editing::AddCodecTag(edit, editing::CodecTarget::Compression, "xvid");
    editing::AddFrameRate(edit, 240000);
    editing::AddAudioDelay(edit, 1000);
    info::AddAuthorItems(edit, {{"INAM", "A new name"}, {"DISP", "Shown"}});
    std::vector<Region> fields;
    for (const auto& w : edit.plan.writes) fields.push_back(RegionOf(w.field));
    return PlanWriter("the window's edits", path, edit.plan, fields);
}

WriterUnderTest ExitWriteBack(const std::string& path) {
    const auto loaded = std::make_shared<LoadedFile>(LoadAsTheWindowDoes(path));
    WriterUnderTest writer = PlanWriter(
        "exit write-back", path,
        avi::HeaderRestorePlan(loaded->headerBackup, loaded->record.loadedLength), {{0, 8192}});
    writer.run = [run = writer.run, loaded] { return run(); };  // the plan views the backup
    return writer;
}

// Every sample byte inverted, so that writing the WAV file back changes every payload byte;
// in small blocks, so that there are several writes per chunk and reads across chunk edges.
WriterUnderTest Reintegration(const std::string& path) {
    const auto loaded = LoadAsTheWindowDoes(path);
    const auto track = TrackOf(path);
    const std::string wavPath = Beside(path, "edited.wav");
    audio::ExtractAudio(path, track, wavPath);
    Bytes wav = ReadWholeFile(wavPath);
    for (std::size_t k = 28 + track.formatSize; k < wav.size(); ++k) wav[k] = ~wav[k];
    WriteFile(wavPath, wav);
    audio::ReintegrationOptions options;
    options.tuning = {64, 40};
    auto partly = std::make_shared<bool>(false);  // the failure said "may be partly rewritten"
    const auto run = [=] {
        *partly = false;
        return Reported([&] {
            try {
                audio::RunReintegration(path, loaded.record, std::nullopt, wavPath, options,
                                        [](const std::string&) { return true; });
            } catch (const audio::ReintegrationFailed& e) {
                *partly = e.MayBePartlyRewritten();
                throw;
            }
        });
    };
    // A movie that a failed run changed must never be reported as left alone.
    const auto check = [=](const platform::FaultPlan& plan, bool failed) {
        EXPECT_TRUE(!failed || plan.JournalOf(path).empty() || *partly);
    };
    return {"re-integration", path, run, AudioPayloadRegions(path), check};
}

std::vector<std::string> FolderEntries(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(fs::path(path).parent_path()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A failed extraction leaves the older WAV file of that name as it was, and no partial or
// temporary file; a clean one writes the whole WAV file.
WriterUnderTest ExtractionToAFullDisk(const std::string& path) {
    const auto track = TrackOf(path);
    const std::string wavPath = Beside(path, "sound.wav");
    audio::ExtractAudio(path, track, wavPath);
    const Bytes wanted = ReadWholeFile(wavPath);
    const Bytes old = ToBytes("RIFF....WAVE an older take");
    WriteFile(wavPath, old);
    const auto run = [=] {
        return Reported([&] { audio::ExtractAudio(path, track, wavPath, nullptr, {512, 1000}); });
    };
    const auto check = [=, entries = FolderEntries(path)](const platform::FaultPlan&, bool failed) {
        EXPECT_EQ(ReadWholeFile(wavPath), failed ? old : wanted);
        EXPECT_EQ(FolderEntries(path), entries) << "a temporary file was left";
        WriteFile(wavPath, old);
    };
    return {"extraction to a full disk", path, run, {}, check, true};
}

// Every edit command goes through the same plan; two fields stand for them all. The second
// write failing leaves the first field in the file, and the user learns so.
WriterUnderTest SetFourccCommand(const std::string& path) {
    const auto decoded = DecodeOnly(path);
    const auto& video = *decoded.record.VideoStream();
    auto message = std::make_shared<std::string>();
    const auto check = [=](const platform::FaultPlan& plan, bool failed) {
        if (failed && plan.JournalOf(path).size() == 1 &&
            plan.Count(platform::FaultKind::Write) == 2) {
            EXPECT_NE(message->find("4 of the edit's bytes had been written before it"),
                      std::string::npos)
                << *message;
        }
    };
    return {"brelvo-cli set-fourcc",
            path,
            Command({"set-fourcc", "--handler", "XVID", "--compression", "XVID", path}, {path},
                    message),
            {RegionOf(video.handlerField), RegionOf(video.video->compressionField)},
            check};
}

WriterUnderTest ExtractAudioCommand(const std::string& path) {
    const std::string wavPath = Beside(path, "cli.wav");
    const auto check = [=](const platform::FaultPlan&, bool failed) {
        EXPECT_EQ(fs::exists(wavPath), !failed);
        fs::remove(wavPath);
    };
    return {"brelvo-cli extract-audio",
            path,
            Command({"extract-audio", path, wavPath}, {path, wavPath}),
            {},
            check};
}

TEST(WritersUnderFaults, EveryWriterSweptOnce) {
    const struct {
        WriterUnderTest (*make)(const std::string& path);
        std::int64_t leastWrites;  // into the movie, by the clean run
    } writers[] = {
        {Load, 3},  // dwScale, dwRate and the JUNK payload
        {WindowEdits, 7},
        {ExitWriteBack, 1},
        {Reintegration, 4},
        {ExtractionToAFullDisk, 0},
        {SetFourccCommand, 2},
        {ExtractAudioCommand, 0},
    };
    for (const auto& w : writers) {
        const WriterUnderTest writer = w.make(WriteTempFile(EditableMovie()));
        SCOPED_TRACE(writer.name);
        EXPECT_GE(SweepFaults(writer), w.leastWrites);
    }
}

}  // namespace
}  // namespace brelvo::testing
