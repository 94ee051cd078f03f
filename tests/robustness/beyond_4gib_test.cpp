// SPDX-License-Identifier: GPL-2.0-or-later
// Movies beyond 2 GiB and 4 GiB, as sparse files: loading, every header edit, extraction and
// re-integration reach offsets past both boundaries, and the values shown keep their forms.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "audio/audio_track.h"
#include "audio/extract_audio.h"
#include "audio/reintegrate_audio.h"
#include "avi/chunk_ids.h"
#include "avi/key_frames.h"
#include "avi/load_display.h"
#include "cli/cli_commands.h"
#include "editing/audio_delay.h"
#include "editing/codec_tag.h"
#include "editing/frame_rate.h"
#include "info/author_items.h"
#include "platform/random_access_file.h"
#include "tests/robustness/robust_movies.h"
#include "tests/robustness/sparse_movie.h"
#include "tests/support/fault_injection.h"

namespace brelvo::testing {
namespace {

namespace fs = std::filesystem;

class BeyondFourGiB : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const auto why = SparseFilesUnsupported()) GTEST_SKIP() << *why;
    }

    // Runs the operation, and checks that every write it made lay in the regions and that
    // the movie kept its length.
    static void ExpectWritesWithin(const SparseMovie& movie, const std::vector<Region>& regions,
                                   const std::function<void()>& operation) {
        platform::ScopedFaultInjection journal;
        operation();
        const auto writes = journal.Plan().JournalOf(movie.path);
        EXPECT_FALSE(writes.empty());
        for (const auto& w : writes) {
            EXPECT_TRUE(WithinRegions(
                {w.offset, w.offset + static_cast<std::int64_t>(w.bytes.size()) - 1}, regions))
                << "a write at " << w.offset;
        }
        EXPECT_EQ(static_cast<std::int64_t>(fs::file_size(movie.path)), movie.length);
    }
};

std::string Text(const Bytes& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

int Cli(const std::vector<std::string>& args, std::string* out = nullptr) {
    std::ostringstream o, e;
    const int status = cli::RunCli(args, o, e);
    if (out) *out = o.str();
    EXPECT_EQ(e.str(), "") << args[0];
    return status;
}

TEST_F(BeyondFourGiB, LoadingMapsEveryPartAndWritesOnlyItsFields) {
    const auto movie = MakeSparseMovie();
    ASSERT_GT(movie.length, k4GiB);
    const auto before = DecodeOnly(movie.path);
    LoadedFile loaded;
    ExpectWritesWithin(movie, NormaliseRegions(before),
                       [&] { loaded = LoadAsTheWindowDoes(movie.path); });

    std::vector<std::int64_t> parts;
    for (const auto& row : loaded.chunkMap) {
        if (row.id == avi::kIdRiff) parts.push_back(row.position);
    }
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_GT(parts[2], k2GiB);
    EXPECT_GT(parts[3], k4GiB);
    EXPECT_EQ(Text(ReadAt(movie.path, movie.lateJunkData, 20)), std::string(20, ' '));
    ASSERT_EQ(loaded.record.textItems.size(), 2u);
    EXPECT_EQ(loaded.record.textItems[1].DataOffset(), movie.lateItemData);
    EXPECT_EQ(loaded.record.textItems[1].bytes, std::string("Someone\0", 8));
    EXPECT_EQ(loaded.record.videoRate, 250000);

    // The size line shows the whole length, not a 32-bit remainder.
    const auto lines =
        avi::InformationTabLines(loaded.record, loaded.chunkMap, movie.path, movie.length);
    const auto size = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.starts_with("File Size: ");
    });
    ASSERT_NE(size, lines.end());
    EXPECT_TRUE(size->starts_with("File Size: " + std::to_string(movie.length) + " bytes. (4096"))
        << *size;
    EXPECT_TRUE(size->ends_with("00MB.)")) << *size;
}

TEST_F(BeyondFourGiB, OnePartLargerThan2GiB) {
    const auto movie = MakeSparseMovie(true);
    ASSERT_GT(movie.idx1Data, k2GiB);
    const auto loaded = LoadAsTheWindowDoes(movie.path);
    ASSERT_TRUE(loaded.record.idx1Row);
    const auto file = platform::OpenFile(movie.path, platform::OpenMode::Read);
    const auto keys = avi::CountKeyFrames(*file, loaded.chunkMap[*loaded.record.idx1Row],
                                          loaded.record.VideoStream()->index);
    EXPECT_EQ(keys.keyFrames, 2);
    EXPECT_EQ(avi::KeyFrameCaption(4, keys.keyFrames), "Frames 4 ( 2 * Key / 2 Delta.) Every 2");
    EXPECT_EQ(loaded.record.textItems.back().DataOffset(), movie.lateItemData);
    // A RIFF size of 2 GiB or more is a size, not a negative number: the chunks after the
    // headers are real chunks, and loading blanks the JUNK past 2 GiB like any other.
    EXPECT_EQ(Text(ReadAt(movie.path, movie.lateJunkData, 20)), std::string(20, ' '));
}

TEST_F(BeyondFourGiB, EveryHeaderEditWritesOnlyItsField) {
    const auto movie = MakeSparseMovie();
    const auto loaded = LoadAsTheWindowDoes(movie.path);
    avi::HeaderEdit edit(loaded.record);
    editing::AddCodecTag(edit, editing::CodecTarget::Handler, "xvid");
    editing::AddCodecTag(edit, editing::CodecTarget::Compression, "xvid");
    editing::AddFrameRate(edit, 240000);
    editing::AddAudioDelay(edit, 1000);
    info::AddAuthorItems(edit, {{"IART", "Jane"}, {"INAM", "Big"}});
    std::vector<Region> fields;
    for (const auto& w : edit.plan.writes) fields.push_back(RegionOf(w.field));
    ExpectWritesWithin(movie, fields, [&] { avi::ApplyPlan(movie.path, edit.plan); });
    EXPECT_EQ(Text(ReadAt(movie.path, movie.lateItemData, 8)), std::string("Jane   \0", 8));
    const auto& video = *loaded.record.VideoStream();
    EXPECT_EQ(Text(ReadAt(movie.path, video.handlerField.offset, 4)), "xvid");
}

TEST_F(BeyondFourGiB, ExtractionAndReintegrationReachEveryPart) {
    const auto movie = MakeSparseMovie();
    ASSERT_EQ(movie.audioPayloads.size(), 4u);
    EXPECT_GT(movie.audioPayloads[1], k2GiB);
    EXPECT_GT(movie.audioPayloads[2], k4GiB);
    const auto loaded = LoadAsTheWindowDoes(movie.path);
    const auto track = [&] {
        const auto file = platform::OpenFile(movie.path, platform::OpenMode::Read);
        return audio::AudioTrackFromRecord(*file, loaded.record);
    }();
    const std::string wavPath = fs::path(movie.path).replace_filename("big.wav").string();
    const auto extracted = audio::ExtractAudio(movie.path, track, wavPath);
    EXPECT_EQ(extracted.chunks, 4);
    Bytes wav = ReadWholeFile(wavPath);
    ASSERT_EQ(wav.size(), 44u + 4 * 64);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(Bytes(wav.begin() + 44 + 64 * k, wav.begin() + 44 + 64 * (k + 1)),
                  ReadAt(movie.path, movie.audioPayloads[k], 64))
            << "chunk " << k;
    }
    for (std::size_t k = 44; k < wav.size(); ++k) wav[k] = ~wav[k];
    RestoreFile(wavPath, wav);

    std::vector<Region> payloads;
    for (const auto at : movie.audioPayloads) payloads.push_back({at, 64});
    ExpectWritesWithin(movie, payloads,
                       [&] { audio::ReintegrateAudio(movie.path, track, wavPath); });
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(ReadAt(movie.path, movie.audioPayloads[k], 64),
                  Bytes(wav.begin() + 44 + 64 * k, wav.begin() + 44 + 64 * (k + 1)))
            << "chunk " << k;
    }
}

TEST_F(BeyondFourGiB, CommandLineShowsWholeOffsets) {
    const auto movie = MakeSparseMovie();
    std::string json;
    EXPECT_EQ(Cli({"info", "--json", movie.path}, &json), 0);
    EXPECT_NE(json.find(std::to_string(movie.lateItemData)), std::string::npos);
    EXPECT_NE(json.find(std::to_string(movie.length)), std::string::npos);
    std::string keys;
    EXPECT_EQ(Cli({"keyframes", movie.path}, &keys), 0);
    EXPECT_NE(keys.find("2 * Key"), std::string::npos) << keys;
    EXPECT_EQ(Cli({"set-info", "--artist", "Cli", movie.path}), 0);
    EXPECT_EQ(Text(ReadAt(movie.path, movie.lateItemData, 8)), std::string("Cli    \0", 8));
    const std::string wavPath = fs::path(movie.path).replace_filename("cli.wav").string();
    EXPECT_EQ(Cli({"extract-audio", movie.path, wavPath}), 0);
    EXPECT_EQ(Cli({"reintegrate-audio", movie.path, wavPath}), 0);
    EXPECT_EQ(static_cast<std::int64_t>(fs::file_size(movie.path)), movie.length);
}

}  // namespace
}  // namespace brelvo::testing
