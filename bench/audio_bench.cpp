// SPDX-License-Identifier: GPL-2.0-or-later
// The audio tools over real files: the structured walk reads chunk headers and sound payloads
// only, so extraction and re-integration cost follows the sound track, not the video, and
// their memory stays the same whatever the movie's size.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "audio/audio_chunk_walk.h"
#include "audio/audio_track.h"
#include "audio/extract_audio.h"
#include "audio/reintegrate_audio.h"
#include "bench/bench_movies.h"
#include "platform/random_access_file.h"

namespace brelvo::bench {
namespace {

using Bytes = std::vector<std::byte>;

void U32(Bytes& b, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) b.push_back(static_cast<std::byte>((v >> (8 * k)) & 0xFF));
}
void Text(Bytes& b, std::string_view t) {
    for (const char c : t) b.push_back(static_cast<std::byte>(c));
}
Bytes Chunk(std::string_view id, const Bytes& data) {
    Bytes b;
    Text(b, id);
    U32(b, static_cast<std::uint32_t>(data.size()));
    b.insert(b.end(), data.begin(), data.end());
    if (data.size() % 2 == 1) b.push_back(std::byte{0});
    return b;
}
Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}
Bytes List(std::string_view type, const Bytes& body) {
    Bytes data;
    Text(data, type);
    data.insert(data.end(), body.begin(), body.end());
    return Chunk("LIST", data);
}
Bytes Strl(std::string_view type, std::uint32_t scale, std::uint32_t rate, const Bytes& format) {
    Bytes strh;
    Text(strh, type);
    Text(strh, type == "vids" ? "FMP4" : std::string_view("\0\0\0\0", 4));
    for (std::uint32_t v : {0u, 0u, 0u, scale, rate, 0u, 0u, 0u, 0u, 0u, 0u, 0u}) U32(strh, v);
    return List("strl", Cat({Chunk("strh", strh), Chunk("strf", format)}));
}

// A movie of MPEG-4-sized video frames (58 KiB) interleaved with PCM stereo chunks of one
// frame's duration at 48 kHz (7680 bytes): about a tenth of the file is sound, as in a real
// DivX/Xvid movie.
class InterleavedMovie {
  public:
    explicit InterleavedMovie(int frames)
        : path_((std::filesystem::path(BenchFolder()) /
                 ("brelvo-audio-bench-" + std::to_string(frames) + ".avi"))
                    .string()),
          wavPath_(path_ + ".wav") {
        Bytes wave;
        for (std::uint32_t v : {0x00020001u, 48000u, 192000u, 0x00100004u}) U32(wave, v);
        Bytes avih;
        for (std::uint32_t v : {40000u, 0u, 0u, 0x10u, static_cast<std::uint32_t>(frames), 0u, 2u,
                                0u, 640u, 480u, 0u, 0u, 0u, 0u}) {
            U32(avih, v);
        }
        Bytes bitmap;
        for (std::uint32_t v : {40u, 640u, 480u, 0x00180001u}) U32(bitmap, v);
        Text(bitmap, "FMP4");
        for (int k = 0; k < 5; ++k) U32(bitmap, 0);
        const Bytes hdrl = List("hdrl", Cat({Chunk("avih", avih), Strl("vids", 1, 25, bitmap),
                                             Strl("auds", 1, 48000, wave)}));
        const Bytes video = Chunk("00dc", Bytes(58 * 1024 + 1, std::byte{0x5A}));
        const Bytes sound = Chunk("01wb", Bytes(7680, std::byte{0x11}));
        const std::uint64_t moviSize =
            4 + static_cast<std::uint64_t>(frames) * (video.size() + sound.size());
        Bytes head;
        Text(head, "RIFF");
        U32(head, static_cast<std::uint32_t>(4 + hdrl.size() + 12 + moviSize - 4));
        Text(head, "AVI ");
        head.insert(head.end(), hdrl.begin(), hdrl.end());
        Text(head, "LIST");
        U32(head, static_cast<std::uint32_t>(moviSize));
        Text(head, "movi");
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        const auto write = [&](const Bytes& b) {
            out.write(reinterpret_cast<const char*>(b.data()),
                      static_cast<std::streamsize>(b.size()));
        };
        write(head);
        for (int k = 0; k < frames; ++k) {
            write(video);
            write(sound);
        }
        if (!out) throw std::runtime_error("cannot write " + path_);
    }
    ~InterleavedMovie() {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
        std::filesystem::remove(wavPath_, ec);
    }
    InterleavedMovie(const InterleavedMovie&) = delete;
    InterleavedMovie& operator=(const InterleavedMovie&) = delete;

    const std::string& Path() const { return path_; }
    const std::string& WavPath() const { return wavPath_; }
    std::int64_t Length() const {
        return static_cast<std::int64_t>(std::filesystem::file_size(path_));
    }
    audio::AudioTrack Track() const {
        auto file = platform::OpenFile(path_, platform::OpenMode::Read);
        return audio::FindAudioTrack(*file);
    }

  private:
    std::string path_;
    std::string wavPath_;
};

// Frames per movie size: 1 frame = 66 KiB, so 1000 frames make 66 MiB.
constexpr int kSmall = 1000;
constexpr int kLarge = 4000;

void BM_WalkAudioChunks(benchmark::State& state) {
    const InterleavedMovie movie(static_cast<int>(state.range(0)));
    const auto track = movie.Track();
    for (auto _ : state) {
        auto file = platform::OpenFile(movie.Path(), platform::OpenMode::Read);
        audio::AudioChunkWalk walk(*file, track.streamNumber);
        std::int64_t bytes = 0;
        while (const auto chunk = walk.Next()) bytes += chunk->available;
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * movie.Length());
}
BENCHMARK(BM_WalkAudioChunks)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

void BM_ExtractAudio(benchmark::State& state) {
    const InterleavedMovie movie(static_cast<int>(state.range(0)));
    const auto track = movie.Track();
    for (auto _ : state) {
        const auto result = audio::ExtractAudio(movie.Path(), track, movie.WavPath());
        benchmark::DoNotOptimize(result.dataBytes);
    }
    state.SetBytesProcessed(state.iterations() * movie.Length());
}
BENCHMARK(BM_ExtractAudio)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

void BM_ReintegrateAudio(benchmark::State& state) {
    const InterleavedMovie movie(static_cast<int>(state.range(0)));
    const auto track = movie.Track();
    audio::ExtractAudio(movie.Path(), track, movie.WavPath());
    for (auto _ : state) {
        const auto result = audio::ReintegrateAudio(movie.Path(), track, movie.WavPath());
        benchmark::DoNotOptimize(result.bytesWritten);
    }
    state.SetBytesProcessed(state.iterations() * movie.Length());
}
BENCHMARK(BM_ReintegrateAudio)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brelvo::bench
