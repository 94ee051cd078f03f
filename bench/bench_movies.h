// SPDX-License-Identifier: GPL-2.0-or-later
// Synthetic movies for the benchmarks, written to real files: a header region of a chosen
// size, a movi list of a chosen length that is left as a hole (sparse, so a 1 GiB movie costs
// no disk), and an idx1 index at the end.
#pragma once

#include <cstdint>
#include <string>

namespace brelvo::bench {

struct BenchMovie {
    int infoItems = 100;                    // INAM items of 40 bytes each in the LIST INFO
    std::uint32_t strfExtra = 0;            // extra bytes after the video BITMAPINFOHEADER
    std::int64_t totalLength = 10LL << 20;  // the file's length in bytes
    std::uint32_t indexEntries = 1000;      // 16-byte idx1 entries, every 12th video one a key
};

// Writes the movie to path (replacing it) and returns its header region's length in bytes.
std::int64_t WriteBenchMovie(const std::string& path, const BenchMovie& movie);

// A folder for the benchmark files: $BRELVO_BENCH_DIR, else the system's temporary folder.
std::string BenchFolder();

}  // namespace brelvo::bench
