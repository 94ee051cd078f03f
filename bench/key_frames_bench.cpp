// SPDX-License-Identifier: GPL-2.0-or-later
// The key-frame count over a 1,000,000-entry idx1 index (16 MB) in a real file.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "avi/key_frames.h"
#include "avi/scan_chunks.h"
#include "bench/bench_movies.h"
#include "platform/random_access_file.h"

namespace brelvo::bench {
namespace {

void BM_CountKeyFrames(benchmark::State& state) {
    BenchMovie layout;
    layout.indexEntries = static_cast<std::uint32_t>(state.range(0));
    layout.totalLength = 64LL << 20;
    const auto path = (std::filesystem::path(BenchFolder()) / "brelvo-bench-index.avi").string();
    WriteBenchMovie(path, layout);
    avi::ChunkRow idx1Row;
    {
        auto file = platform::OpenFile(path, platform::OpenMode::Read);
        for (const auto& row : avi::ScanChunks(*file).chunkMap) {
            if (row.id == "IDX1") idx1Row = row;
        }
    }
    std::int64_t keyFrames = 0;
    for (auto _ : state) {
        auto file = platform::OpenFile(path, platform::OpenMode::Read);
        keyFrames = avi::CountKeyFrames(*file, idx1Row, 0).keyFrames;
        benchmark::DoNotOptimize(keyFrames);
    }
    state.counters["keyFrames"] = static_cast<double>(keyFrames);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
    std::error_code ec;
    std::filesystem::remove(path, ec);
}
BENCHMARK(BM_CountKeyFrames)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brelvo::bench
