// SPDX-License-Identifier: GPL-2.0-or-later
// Movies beyond 2 GiB and 4 GiB, as sparse files: loading, the header edits, extraction and
// re-integration reach offsets past both boundaries, write only their own bytes, and the values
// shown keep their whole size.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "audio/extract_audio.h"
#include "audio/reintegrate_audio.h"
#include "avi/chunk_ids.h"
#include "avi/key_frames.h"
#include "cli/cli_commands.h"
#include "editing/codec_tag.h"
#include "editing/frame_rate.h"
#include "info/author_items.h"
#include "platform/random_access_file.h"
#include "tests/robustness/robust_movies.h"
#include "tests/robustness/sparse_movie.h"

namespace brelvo::testing {
namespace {

std::string TextAt(const std::string& path, std::int64_t offset, std::size_t count) {
    const Bytes bytes = ReadAt(path, offset, count);
    return {reinterpret_cast<const char*>(bytes.data()), count};
}

// Runs the operation; every write it made lies in the regions, the length stays.
void ExpectWritesWithin(const SparseMovie& movie, const std::vector<Region>& regions,
                        const std::function<void()>& operation) {
    platform::ScopedFaultInjection journal;
    operation();
    EXPECT_FALSE(journal.Plan().JournalOf(movie.path).empty());
    EXPECT_TRUE(WritesWithin(journal.Plan(), movie.path, regions));
    EXPECT_EQ(static_cast<std::int64_t>(std::filesystem::file_size(movie.path)), movie.length);
}

TEST(BeyondFourGiB, EveryPartIsLoadedEditedAndItsSoundRewritten) {
    if (const auto why = SparseFilesUnsupported()) GTEST_SKIP() << *why;
    const auto movie = MakeSparseMovie();
    ASSERT_GT(movie.length, k4GiB);
    LoadedFile loaded;
    ExpectWritesWithin(movie, NormaliseRegions(DecodeOnly(movie.path)),
                       [&] { loaded = LoadAsTheWindowDoes(movie.path); });
    std::vector<std::int64_t> parts;
    for (const auto& row : loaded.chunkMap) {
        if (row.id == avi::kIdRiff) parts.push_back(row.position);
    }
    ASSERT_EQ(parts.size(), 3u);  // the first part's size is a size, not a negative number
    EXPECT_GT(parts[1], k2GiB);
    EXPECT_GT(parts[2], k4GiB);
    EXPECT_EQ(TextAt(movie.path, movie.lateJunkData, 20), std::string(20, ' '));
    EXPECT_EQ(loaded.record.textItems.back().DataOffset(), movie.lateItemData);
    ASSERT_TRUE(loaded.record.idx1Row);
    EXPECT_GT(movie.idx1Data, k2GiB);
    const auto file = platform::OpenFile(movie.path, platform::OpenMode::Read);
    EXPECT_EQ(avi::CountKeyFrames(*file, loaded.chunkMap[*loaded.record.idx1Row], 0).keyFrames, 2);
    // The command line shows offsets past 4 GiB whole, not as 32-bit remainders.
    std::ostringstream json, err;
    EXPECT_EQ(cli::RunCli({"info", "--json", movie.path}, json, err), 0) << err.str();
    EXPECT_NE(json.str().find(std::to_string(movie.lateItemData)), std::string::npos);

    avi::HeaderEdit edit(loaded.record);
    editing::AddCodecTag(edit, editing::CodecTarget::Handler, "xvid");
    editing::AddFrameRate(edit, 240000);
    info::AddAuthorItems(edit, {{"IART", "Jane"}});
    std::vector<Region> fields;
    for (const auto& w : edit.plan.writes) fields.push_back(RegionOf(w.field));
    ExpectWritesWithin(movie, fields, [&] { avi::ApplyPlan(movie.path, edit.plan); });
    EXPECT_EQ(TextAt(movie.path, movie.lateItemData, 8), std::string("Jane   \0", 8));

    // Extraction reads every sound chunk; the WAV file inverted and written back lands in them.
    ASSERT_EQ(movie.audioPayloads.size(), 4u);
    EXPECT_GT(movie.audioPayloads[2], k4GiB);
    const auto track = TrackOf(movie.path);
    const std::string wavPath = Beside(movie.path, "big.wav");
    const auto expectSound = [&](const Bytes& wav) {
        ASSERT_EQ(wav.size(), 44u + 4 * 64);
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_EQ(Bytes(wav.begin() + 44 + 64 * k, wav.begin() + 108 + 64 * k),
                      ReadAt(movie.path, movie.audioPayloads[k], 64))
                << "chunk " << k;
        }
    };
    audio::ExtractAudio(movie.path, track, wavPath);
    Bytes wav = ReadWholeFile(wavPath);
    expectSound(wav);
    for (std::size_t k = 44; k < wav.size(); ++k) wav[k] = ~wav[k];
    WriteFile(wavPath, wav);
    std::vector<Region> payloads;
    for (const auto at : movie.audioPayloads) payloads.push_back({at, 64});
    ExpectWritesWithin(movie, payloads,
                       [&] { audio::ReintegrateAudio(movie.path, track, wavPath); });
    expectSound(wav);
}

}  // namespace
}  // namespace brelvo::testing
