// SPDX-License-Identifier: GPL-2.0-or-later
// Harness bodies of the audio tools: any bytes as a movie whose sound track is extracted and
// written back, and any bytes as a WAV file written into a small movie.
#include <algorithm>

#include "audio/audio_chunk_survey.h"
#include "audio/audio_chunk_walk.h"
#include "audio/audio_track.h"
#include "audio/extract_audio.h"
#include "audio/reintegrate_audio.h"
#include "audio/wav_file.h"
#include "fuzz/fuzz_checks.h"
#include "fuzz/fuzz_targets.h"
#include "platform/little_endian.h"
#include "tests/support/memory_file.h"

namespace brelvo::fuzz {
namespace {

using Bytes = std::vector<std::byte>;

void Put(Bytes& out, std::string_view text) {
    for (const char c : text) out.push_back(static_cast<std::byte>(c));
}
void PutU32(Bytes& out, std::uint32_t v) {
    out.resize(out.size() + 4);
    platform::WriteU32(out, out.size() - 4, v);
}
Bytes Chunk(std::string_view id, const Bytes& data) {
    Bytes out;
    Put(out, id);
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2 != 0) out.push_back(std::byte{0});
    return out;
}
Bytes List(std::string_view form, std::string_view type, const std::vector<Bytes>& children) {
    Bytes data;
    Put(data, type);
    for (const auto& c : children) data.insert(data.end(), c.begin(), c.end());
    Bytes out;
    Put(out, form);
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

// A video stream and a PCM sound stream (stream 1) with three audio chunks, one of odd size.
const Bytes& SmallMovie() {
    static const Bytes movie = [] {
        Bytes strh(56, std::byte{0});
        Bytes audioStrh = strh;
        std::copy_n(reinterpret_cast<const std::byte*>("vids"), 4, strh.begin());
        std::copy_n(reinterpret_cast<const std::byte*>("auds"), 4, audioStrh.begin());
        platform::WriteU32(audioStrh, 20, 4);      // dwScale
        platform::WriteU32(audioStrh, 24, 16000);  // dwRate
        Bytes wave(16, std::byte{0});
        platform::WriteU32(wave, 0, 0x00020001);  // PCM, 2 channels
        platform::WriteU32(wave, 4, 4000);
        platform::WriteU32(wave, 8, 16000);
        platform::WriteU32(wave, 12, 0x00100004);  // block align 4, 16 bits
        const Bytes hdrl =
            List("LIST", "hdrl",
                 {Chunk("avih", Bytes(56, std::byte{0})),
                  List("LIST", "strl", {Chunk("strh", strh), Chunk("strf", Bytes(40))}),
                  List("LIST", "strl", {Chunk("strh", audioStrh), Chunk("strf", wave)})});
        const Bytes movi = List(
            "LIST", "movi",
            {Chunk("00dc", Bytes(30, std::byte{0x11})), Chunk("01wb", Bytes(40, std::byte{0x22})),
             Chunk("01wb", Bytes(7, std::byte{0x33})), Chunk("00dc", Bytes(12, std::byte{0x44})),
             Chunk("01wb", Bytes(100, std::byte{0x55}))});
        return List("RIFF", "AVI ", {hdrl, movi, Chunk("idx1", {})});
    }();
    return movie;
}

std::vector<ByteRegion> AudioPayloads(platform::RandomAccessFile& movie, int streamNumber) {
    std::vector<ByteRegion> regions;
    audio::AudioChunkWalk walk(movie, streamNumber);
    while (const auto chunk = walk.Next()) {
        Require(chunk->payloadOffset >= 8 && chunk->available >= 0 &&
                    chunk->payloadOffset + chunk->available <= movie.Length(),
                "an audio chunk lies outside the movie");
        regions.push_back({chunk->payloadOffset, chunk->available});
    }
    return regions;
}

Bytes Extract(platform::RandomAccessFile& movie, const audio::AudioTrack& track,
              const audio::CopyTuning& tuning, audio::ExtractionResult& result) {
    platform::MemoryFile wav({}, "fuzz.wav", true);
    result = audio::WriteWav(movie, track, wav, nullptr, tuning);
    const auto& bytes = wav.Bytes();
    const auto length = static_cast<std::int64_t>(bytes.size());
    const std::int64_t formatChunk = 4 + static_cast<std::int64_t>(track.formatSize);
    Require(length == 24 + formatChunk + result.dataBytes, "the WAV file has the wrong length");
    Require(platform::ReadU32(bytes, 4) == static_cast<std::uint32_t>(length - 8),
            "the WAV file's RIFF size is not its length minus 8");
    Require(platform::ReadU32(bytes, static_cast<std::size_t>(20 + formatChunk)) ==
                static_cast<std::uint32_t>(result.dataBytes),
            "the WAV file's data size is not the bytes copied");
    return bytes;
}

}  // namespace

void FuzzAudioWalk(std::span<const std::byte> data) {
    WatchedFile watched({data.begin(), data.end()});
    auto& movie = watched.File();
    audio::AudioTrack track;
    if (!Refusable([&] { track = audio::FindAudioTrack(movie); })) return;
    std::vector<ByteRegion> payloads;
    if (!Refusable([&] { payloads = AudioPayloads(movie, track.streamNumber); })) return;

    // Small blocks put chunks across every block edge; the WAV file must come out the same.
    audio::ExtractionResult result;
    Bytes wav;
    if (!Refusable([&] { wav = Extract(movie, track, {}, result); })) return;
    audio::ExtractionResult smallResult;
    Refusable([&] {
        Require(Extract(movie, track, {64, 17}, smallResult) == wav,
                "the WAV file depends on the block sizes");
    });

    // Writing the extracted samples back leaves the movie exactly as it was.
    platform::MemoryFile wavFile(wav, "fuzz.wav");
    Refusable([&] {
        const auto samples = audio::LocateWavSamples(wavFile);
        Require(samples.dataSize == result.dataBytes, "the WAV reader finds other samples");
        audio::WriteSamples(movie, track, wavFile, samples);
        Require(watched.Bytes().size() == data.size() &&
                    std::equal(data.begin(), data.end(), watched.Bytes().begin()),
                "extracting and writing back changed the movie");
        // The same through the check's walk, kept short so that the write walks on past it.
        const auto survey =
            audio::SurveyAudioChunks(movie, track.streamNumber,
                                     audio::WavSampleRange{wavFile, samples.dataOffset,
                                                           samples.dataOffset + samples.dataSize},
                                     {64, 17}, 3);
        Require(survey.sampleBytes == result.dataBytes, "the check counts other samples");
        audio::ReintegrationOptions surveyed;
        surveyed.surveyed = &survey;
        audio::WriteSamples(movie, track, wavFile, samples, surveyed);
        Require(std::equal(data.begin(), data.end(), watched.Bytes().begin()),
                "writing back after the check changed the movie");
        audio::ReintegrationOptions jink;
        jink.jinkSeconds = 0.001;
        jink.tuning = {64, 17};
        RequireConfinedWrites(
            watched, payloads, "a re-integration",
            [&] { audio::WriteSamples(movie, track, wavFile, samples, jink); }, true);
    });
}

void FuzzWavReader(std::span<const std::byte> data) {
    platform::MemoryFile wav({data.begin(), data.end()}, "fuzz.wav");
    audio::WavSamples samples;
    if (!Refusable([&] { samples = audio::LocateWavSamples(wav); })) return;
    // A "data" id in the last bytes gives no samples, wherever they would have begun.
    Require(samples.dataOffset >= 0 && samples.dataSize >= 0 &&
                (samples.dataSize == 0 || samples.dataOffset + samples.dataSize <= wav.Length()),
            "the samples lie outside the WAV file");
    WatchedFile watched(SmallMovie(), "small.avi");
    auto& movie = watched.File();
    const auto track = audio::FindAudioTrack(movie);
    const auto payloads = AudioPayloads(movie, track.streamNumber);
    audio::ReintegrationOptions options;
    if (!data.empty()) options.jinkSeconds = static_cast<double>(data[0]) / 1000.0;
    Refusable([&] {
        RequireConfinedWrites(
            watched, payloads, "a re-integration",
            [&] { audio::WriteSamples(movie, track, wav, samples, options); }, true);
    });
}

}  // namespace brelvo::fuzz
