// SPDX-License-Identifier: GPL-2.0-or-later
// set-fourcc, set-fps, set-delay and set-info on copies of real movies: what each says and its
// exit status, the fields its --json names against the bytes it wrote, and the edits as
// ffprobe reads them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/ansi_codec.h"
#include "platform/little_endian.h"
#include "tests/cli/cli_run.h"
#include "tests/support/decoded_movie.h"

namespace brelvo::cli {
namespace {

using namespace brelvo::testing;
using testing::Cli;

// Each edit command says the old and new values, a dry run writes nothing, and its --json
// names each field it wrote: the bytes at its offset are the new value, and every byte that
// changed lies in one of them.
TEST(EditCommands, SayAndNameEveryFieldWrittenAtItsOffset) {
    const struct {
        std::string args;
        std::size_t fields;
        std::string said, warned;  // a part of what the text run says on stdout and stderr
    } edits[] = {
        {"set-fourcc --handler XviD --compression dx50", 2, "fccHandler \"FMP4\" -> \"XviD\"", ""},
        // 50 frames: 2 s become 1.668 s, so 2 s of sound would be stretched to 83.4167 %.
        {"set-fps 30000/1001", 3, "Stretch to 83.4167 %",
         ""},  // dwScale, dwRate, dwMicroSecPerFrame
        {"set-delay 0.5", 1, "0.00000 s (0 units) -> 0.50000 s (4000 units)", ""},
        {"set-info --artist Jane --name A_title_far_too_long --copyright (c)_2024_Nobody", 3,
         "IART \"Test Artist\" -> \"Jane       \"", "warning: the text for INAM was cut"},
    };
    for (const auto& e : edits) {
        SCOPED_TRACE(e.args);
        const auto path = CopyFixture("ffmpeg_info_items.avi");
        const auto before = ReadWholeFile(path);
        const auto run = [&](std::vector<std::string> options) {
            auto args = testing::Words(e.args + " FILE", path);
            args.insert(args.begin() + 1, options.begin(), options.end());
            const auto r = Cli(args);
            EXPECT_EQ(r.status, kExitOk) << r.err;
            return r;
        };
        const auto text = run({"--dry-run"});
        EXPECT_NE(text.out.find(e.said), std::string::npos) << text.out;
        EXPECT_NE(text.out.find(" (dry run, nothing written)\n"), std::string::npos);
        EXPECT_NE(text.err.find(e.warned), std::string::npos) << text.err;
        EXPECT_EQ(ReadWholeFile(path), before);
        const auto json = nlohmann::json::parse(run({"--json"}).out).at(0);
        ASSERT_EQ(json["changes"].size(), e.fields) << json;

        const Bytes after = ReadWholeFile(path);
        std::vector<std::pair<std::int64_t, std::int64_t>> fields;
        for (const auto& c : json["changes"]) {
            const auto offset = c["offset"].get<std::size_t>();
            const auto width = c["width"].get<std::size_t>();
            fields.emplace_back(offset, width);
            const auto value = [&](const Bytes& file) -> nlohmann::json {
                if (c["new"].is_number()) return platform::ReadI32(file, offset);
                std::string bytes(reinterpret_cast<const char*>(file.data()) + offset, width);
                while (!bytes.empty() && bytes.back() == '\0') bytes.pop_back();
                return platform::AnsiToUtf8(bytes);
            };
            EXPECT_EQ(value(before), c["old"]) << c;
            EXPECT_EQ(value(after), c["new"]) << c;
        }
        const auto changed = ChangedOffsets(before, after);
        EXPECT_FALSE(changed.empty());
        EXPECT_TRUE(OnlyWithin(changed, fields));
    }
}

TEST(EditCommands, AFailureSaysWhyAndLeavesTheMovieAsItWas) {
    const struct {
        const char* fixture;
        std::string args, said;
    } failures[] = {
        {"ffmpeg_info_items.avi", "set-info --artist Jane --source Tape",
         "no ISRC item (items are never added); nothing was written"},
        // A FourCC is printable ASCII: a character it cannot hold is refused, not replaced.
        {"ffmpeg_div3_video_only.avi", "set-fourcc --handler \xE2\x82\xAC", "printable ASCII"},
    };
    for (const auto& f : failures) {
        const auto path = CopyFixture(f.fixture);
        const auto before = ReadWholeFile(path);
        const auto r = Cli(testing::Words(f.args + " FILE", path));
        EXPECT_EQ(r.status, kExitFailure);
        EXPECT_NE(r.err.find(f.said), std::string::npos) << r.err;
        EXPECT_EQ(ReadWholeFile(path), before);
    }
}

TEST(EditCommands, FrameRateAndAuthorItemsAsFfprobeReadsThem) {
    const auto path = CopyFixture("ffmpeg_info_items.avi");
    ASSERT_EQ(Cli({"set-fps", "30000/1001", path}).status, kExitOk);
    ASSERT_EQ(Cli({"set-info", "--artist", "Another Art", path}).status, kExitOk);
    const auto probe = testing::Ffprobe(
        "-select_streams v:0 -of default=noprint_wrappers=1 -show_entries "
        "stream=avg_frame_rate:format_tags=artist",
        path);
    if (!probe) GTEST_SKIP() << "ffprobe is not installed (scripts/install-deps installs ffmpeg)";
    EXPECT_EQ(*probe, "avg_frame_rate=30000/1001\nTAG:artist=Another Art\n");
}

}  // namespace
}  // namespace brelvo::cli
