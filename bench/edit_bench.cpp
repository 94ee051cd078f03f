// SPDX-License-Identifier: GPL-2.0-or-later
// The cost of a header edit as brelvo-cli makes it (walk, decode, open, patch): it must follow
// the header region, not the movie's length, so a 1 MiB and a 1 GiB movie with the same
// headers cost the same. The 1 GiB movie is sparse and costs no disk.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "avi/decode_headers.h"
#include "avi/scan_chunks.h"
#include "bench/bench_movies.h"
#include "editing/codec_tag.h"
#include "editing/frame_rate.h"
#include "info/author_items.h"
#include "platform/random_access_file.h"

namespace brelvo::bench {
namespace {

class EditedMovie {
  public:
    explicit EditedMovie(std::int64_t length)
        : path_((std::filesystem::path(BenchFolder()) /
                 ("brelvo-bench-edit-" + std::to_string(length) + ".avi"))
                    .string()) {
        BenchMovie layout;
        layout.totalLength = length;
        WriteBenchMovie(path_, layout);
    }
    ~EditedMovie() {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    EditedMovie(const EditedMovie&) = delete;
    EditedMovie& operator=(const EditedMovie&) = delete;
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// One set-fourcc per iteration, alternating between two codes so every write changes bytes.
void BM_SetFourcc_LoadAndPatch(benchmark::State& state) {
    const EditedMovie movie(state.range(0));
    bool flip = false;
    for (auto _ : state) {
        auto file = platform::OpenFile(movie.Path(), platform::OpenMode::ReadWrite);
        const auto map = avi::ScanChunks(*file).chunkMap;
        const auto record = avi::DecodeHeaders(*file, map);
        flip = !flip;
        avi::HeaderEdit edit(record);
        editing::AddCodecTag(edit, editing::CodecTarget::Handler, flip ? "XVID" : "DIV3");
        benchmark::DoNotOptimize(avi::ApplyPlan(*file, edit.plan));
    }
    state.SetLabel(std::to_string(state.range(0) >> 20) + " MiB movie");
}
BENCHMARK(BM_SetFourcc_LoadAndPatch)->Arg(1LL << 20)->Arg(1LL << 30)->Unit(benchmark::kMicrosecond);

// The writes alone, on headers decoded once: set-fps's fields and every INAM item, one plan.
void BM_FrameRateAndInfoPatch(benchmark::State& state) {
    const EditedMovie movie(state.range(0));
    auto file = platform::OpenFile(movie.Path(), platform::OpenMode::ReadWrite);
    const auto map = avi::ScanChunks(*file).chunkMap;
    const auto record = avi::DecodeHeaders(*file, map);
    std::int64_t rate = 250000;
    for (auto _ : state) {
        rate = rate == 250000 ? 240000 : 250000;
        avi::HeaderEdit edit(record);
        editing::AddFrameRate(edit, rate, 10000);
        info::AddAuthorItems(edit, {{"INAM", rate == 250000 ? "a" : "b"}});
        benchmark::DoNotOptimize(avi::ApplyPlan(*file, edit.plan));
    }
    state.SetLabel(std::to_string(state.range(0) >> 20) + " MiB movie");
}
BENCHMARK(BM_FrameRateAndInfoPatch)->Arg(1LL << 20)->Arg(1LL << 30)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brelvo::bench
