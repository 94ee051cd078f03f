// SPDX-License-Identifier: GPL-2.0-or-later
// The chunk walk and the header load over real files: its cost must follow the header region
// (many INFO items, a big strf), not the movie's length (10 MiB and 1 GiB movies with equal
// headers must load in the same time).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "avi/decode_headers.h"
#include "avi/scan_chunks.h"
#include "bench/bench_movies.h"
#include "platform/random_access_file.h"

namespace brelvo::bench {
namespace {

// Creates the movie once per benchmark run and removes it at the end.
class MovieFile {
  public:
    MovieFile(const std::string& name, const BenchMovie& movie)
        : path_((std::filesystem::path(BenchFolder()) / name).string()),
          headerLength_(WriteBenchMovie(path_, movie)) {}
    ~MovieFile() {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    MovieFile(const MovieFile&) = delete;
    MovieFile& operator=(const MovieFile&) = delete;
    const std::string& Path() const { return path_; }
    std::int64_t HeaderLength() const { return headerLength_; }

  private:
    std::string path_;
    std::int64_t headerLength_;
};

void ScanFile(benchmark::State& state, const MovieFile& movie, bool decode) {
    std::size_t rows = 0;
    for (auto _ : state) {
        auto file = platform::OpenFile(movie.Path(), platform::OpenMode::Read);
        auto scan = avi::ScanChunks(*file);
        rows = scan.chunkMap.size();
        if (decode) benchmark::DoNotOptimize(avi::DecodeHeaders(*file, scan.chunkMap));
        benchmark::DoNotOptimize(scan);
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["headerKiB"] = static_cast<double>(movie.HeaderLength()) / 1024.0;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * movie.HeaderLength());
}

// A header region of a few thousand INFO items and a 256 KiB video format.
void BM_ScanChunks_LargeHeaderRegion(benchmark::State& state) {
    BenchMovie layout;
    layout.infoItems = static_cast<int>(state.range(0));
    layout.strfExtra = 256 * 1024;
    layout.totalLength = 32LL << 20;
    const MovieFile movie("brelvo-bench-large-header.avi", layout);
    ScanFile(state, movie, false);
}
BENCHMARK(BM_ScanChunks_LargeHeaderRegion)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

// Equal headers, movie length 10 MiB or 1 GiB: the two must take the same time.
void LoadOfLength(benchmark::State& state, bool decode) {
    BenchMovie layout;
    layout.infoItems = 200;
    layout.totalLength = state.range(0) << 20;
    layout.indexEntries = 2000;
    const MovieFile movie("brelvo-bench-length-" + std::to_string(state.range(0)) + ".avi", layout);
    ScanFile(state, movie, decode);
}
void BM_ScanChunks_MovieLengthMiB(benchmark::State& state) {
    LoadOfLength(state, false);
}
void BM_ScanAndDecode_MovieLengthMiB(benchmark::State& state) {
    LoadOfLength(state, true);
}
BENCHMARK(BM_ScanChunks_MovieLengthMiB)->Arg(10)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScanAndDecode_MovieLengthMiB)->Arg(10)->Arg(1024)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brelvo::bench
