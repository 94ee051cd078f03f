// SPDX-License-Identifier: GPL-2.0-or-later
// The diagnosis and its mending on real movies damaged the ways users meet: each code found
// where the damage is and nowhere else, and a mended movie left with nothing mending can mend,
// byte for byte the undamaged movie where the damage was an overwritten field.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "avi/field_patch.h"
#include "platform/random_access_file.h"
#include "repair/mend.h"
#include "tests/support/test_movies.h"

namespace brelvo::repair {
namespace {

using brelvo::testing::Bytes;
using namespace std::literals;

// Two video frames, the first of odd size without its pad byte, and their index.
Bytes UnpaddedMovie() {
    using namespace brelvo::testing;
    const std::vector<Bytes> movi = {Chunk("00dc", Bytes(3), false), Chunk("00dc", Bytes(4))};
    return MakeMovie({.avih = {.totalFrames = 2},
                      .streams = {VideoStream(2)},
                      .movis = {movi},
                      .idx1 = Idx1For(movi)});
}

// A copy of a real movie damaged one way: cut short, a field the diagnosis records (by name)
// overwritten, or the bytes `delta` after the first `anchor` in the file overwritten.
struct Damage {
    std::string_view fixture = {};
    std::int64_t cut = 0;
    std::string_view field = {};
    std::int64_t value = 0;
    std::string_view anchor = {};
    int delta = 0;
    std::string_view bytes = {};
    Bytes (*built)() = nullptr;  // a movie built in code instead of a fixture
};

struct Case {
    Damage damage;
    std::set<std::string_view> codes;  // every finding, notes included
    bool restored = false;             // mending gives back the undamaged movie
};

constexpr std::string_view kPcm = "ffmpeg_mpeg4_pcm.avi";  // 50 frames, PCM, idx1
constexpr std::string_view kGst = "gst_mjpeg_pcm.avi";     // dmlh, absolute idx1 offsets
constexpr std::string_view kCut = "riff-size-past-end";

const std::vector<Case> kCases = {
    // Cut inside a frame, inside idx1, inside a stream header.
    {{kPcm, 60000},
     {kCut, "list-size-past-end", "chunk-cut-short", "total-frames-mismatch",
      "video-length-mismatch", "audio-length-mismatch", "index-missing"}},
    {{kPcm, 125000}, {kCut, "index-size-past-end", "index-incomplete"}},
    {{kPcm, 130},
     {kCut, "list-size-past-end", "chunk-cut-short", "headers-unreadable", "no-movi-list"}},
    {{kGst, 1000}, {kCut, "list-size-past-end", "chunk-cut-short", "no-movi-list"}},
    // Sizes that disagree with a whole movie.
    {{kPcm, 0, {}, 0, "RIFF", 4, "\x08\xec\x01\x00"sv}, {kCut}, true},
    {{kPcm, 0, {}, 0, "RIFF", 4, "\x40\xe7\x01\x00"sv}, {"riff-size-short"}, true},
    {{kPcm, 0, {}, 0, "movi", -4, "\x84\xc0\x01\x00"sv}, {"list-size-past-end"}, true},
    {{kPcm, 0, {}, 0, "movi", -4, "\x04\x00\x00\x00"sv}, {"movi-size-short"}, true},
    {{kPcm, 0, {}, 0, "idx1", 4, "\x90\x04\x00\x00"sv}, {"index-size-past-end"}, true},
    {{"ffmpeg_info_items.avi", 0, {}, 0, "INFO", -8, "\0\0\0\0"sv}, {"walk-garbage"}},
    {{.built = UnpaddedMovie}, {"pad-byte-missing"}},
    // Counts and rates another tool left behind.
    {{kPcm, 0, "avih.dwTotalFrames", 49}, {"total-frames-mismatch"}, true},
    {{kPcm, 0, "strh[0].dwLength", 51}, {"video-length-mismatch"}, true},
    {{kGst, 0, "dmlh.dwTotalFrames", 49}, {"odml-total-frames-mismatch"}, true},
    {{kPcm, 0, "strh[1].dwLength", 1}, {"audio-length-mismatch"}, true},
    {{kPcm, 0, "avih.dwStreams", 3}, {"stream-count-mismatch"}, true},
    {{kPcm, 0, "avih.dwMicroSecPerFrame", 41000}, {"frame-time-mismatch"}, true},
    {{kPcm, 0, "avih.dwSuggestedBufferSize", 100}, {"main-buffer-too-small"}},
    {{kPcm, 0, "strh[0].dwSuggestedBufferSize", 100}, {"stream-buffer-too-small"}, true},
    {{kPcm, 0, "strf[1].nAvgBytesPerSec", 44000}, {"audio-byte-rate-mismatch"}, true},
    {{kPcm, 0, "strf[1].nBlockAlign", 2}, {"audio-block-align-mismatch"}, true},
    // The index.
    {{kPcm, 0, {}, 0, "idx1", 32, "\0\0\0\x7f"sv}, {"index-entry-outside-movi"}},
    {{kGst, 0, {}, 0, "idx1", 36, "\x01"sv}, {"index-entry-wrong-chunk"}},
    {{kPcm, 0, {}, 0, "idx1", 8 + 71 * 16, "JUNK"sv}, {"index-incomplete"}},
    {{kPcm, 0, {}, 0, "idx1", 0, "JUNK"sv}, {"index-missing"}},
    {{kPcm, 0, {}, 0, "idx1", 12, "\0"sv}, {"first-frame-not-key"}, true},
    {{kPcm, 0, "strh[0].fccHandler", 0x44495658}, {"handler-compression-differ"}},
    // The layouts of large, live and DV writers, as built in code (their idx1 entries, where
    // they have one, name no chunk: offset 0).
    {{.built =
          [] {
              return brelvo::testing::MakeOdmlMovie(
                  {.withIdx1 = false,
                   .damage = brelvo::testing::OdmlMovie::Damage::LastIndexOverclaims});
          }},
     {"index-incomplete"}},
    {{.built = [] { return brelvo::testing::MakeStreamedMovie(5); }},
     {kCut, "list-size-past-end", "total-frames-mismatch", "video-length-mismatch",
      "audio-length-mismatch", "index-missing"}},
    {{.built = [] { return brelvo::testing::MakeTypeOneDvMovie(5); }},
     {"index-entry-outside-movi"}},
    {{.built = brelvo::testing::MakeThreeVideoStreamMovie}, {"index-entry-outside-movi"}},
};

Diagnosis DiagnosePath(const std::string& path) {
    const auto file = platform::OpenFile(path, platform::OpenMode::Read);
    return Diagnose(*file);
}

std::set<std::string_view> Codes(const Diagnosis& d) {
    std::set<std::string_view> codes;
    for (const auto& f : d.findings) codes.insert(FindingName(f.code));
    return codes;
}

Bytes Original(const Damage& d) {
    return d.built ? d.built()
                   : brelvo::testing::ReadWholeFile(brelvo::testing::FixturePath(d.fixture));
}

std::string Damaged(const Damage& d) {
    Bytes bytes = Original(d);
    if (d.cut > 0) bytes.resize(static_cast<std::size_t>(d.cut));
    std::int64_t at = -1;
    std::int64_t value = d.value;
    if (!d.field.empty()) {
        const auto fields = DiagnosePath(brelvo::testing::WriteTempFile(bytes)).record.fields;
        const auto f = std::find_if(fields.begin(), fields.end(),
                                    [&](const avi::FieldRef& r) { return r.name == d.field; });
        EXPECT_NE(f, fields.end()) << d.field;
        if (f == fields.end()) return {};
        at = f->offset;
        for (int k = 0; k < f->width; ++k, value >>= 8) {
            bytes[static_cast<std::size_t>(at + k)] = static_cast<std::byte>(value & 0xFF);
        }
    }
    if (!d.anchor.empty()) {
        const auto anchor = std::as_bytes(std::span(d.anchor));
        at = std::search(bytes.begin(), bytes.end(), anchor.begin(), anchor.end()) - bytes.begin();
        for (std::size_t k = 0; k < d.bytes.size(); ++k) {
            bytes[static_cast<std::size_t>(at + d.delta) + k] = static_cast<std::byte>(d.bytes[k]);
        }
    }
    return brelvo::testing::WriteTempFile(bytes);
}

TEST(Diagnosis, RealMoviesHaveNothingToReport) {
    const auto folder = std::filesystem::path(brelvo::testing::FixturePath(""));
    int movies = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".avi") continue;
        ++movies;
        EXPECT_TRUE(Codes(DiagnosePath(entry.path().string())).empty()) << entry.path();
    }
    EXPECT_GT(movies, 10);
}

TEST(Diagnosis, EachDamageIsFoundAndMendedWhereOverwritingMendsIt) {
    std::set<std::string_view> seen;
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.damage.fixture) + " " +
                     (c.codes.empty() ? "clean" : std::string(*c.codes.begin())));
        const auto path = Damaged(c.damage);
        ASSERT_FALSE(path.empty());
        const auto before = DiagnosePath(path);
        EXPECT_EQ(Codes(before), c.codes);
        seen.insert(c.codes.begin(), c.codes.end());
        {
            const auto file = platform::OpenFile(path, platform::OpenMode::ReadWrite);
            ApplyMends(*file, before, PlanMends(before));
        }
        for (const auto& f : DiagnosePath(path).findings) {
            EXPECT_FALSE(f.mendable) << FindingName(f.code) << ": " << f.detail;
        }
        if (c.restored) {
            EXPECT_EQ(brelvo::testing::ReadWholeFile(path), Original(c.damage));
        }
    }
    for (const auto code : AllCodes())
        EXPECT_TRUE(seen.contains(FindingName(code))) << FindingName(code);
}

TEST(Mending, ARefusedPlanWritesNothing) {
    const auto path = Damaged({kPcm, 0, "avih.dwTotalFrames", 49});
    const auto diagnosis = DiagnosePath(path);
    const auto mends = PlanMends(diagnosis);
    ASSERT_EQ(mends.size(), 1u);
    const auto before = brelvo::testing::ReadWholeFile(path);
    const auto file = platform::OpenFile(path, platform::OpenMode::ReadWrite);
    const auto dry = ApplyMends(*file, diagnosis, mends, avi::WriteMode::DryRun);
    EXPECT_FALSE(dry.written);  // what a dry run lists is checked where `repair -n` prints it
    auto moved = diagnosis;
    moved.record.loadedLength += 1;  // another movie under the same name
    EXPECT_THROW(ApplyMends(*file, moved, mends), avi::PatchRefused);
    EXPECT_EQ(brelvo::testing::ReadWholeFile(path), before);
}

}  // namespace
}  // namespace brelvo::repair
