// SPDX-License-Identifier: GPL-2.0-or-later
// The WAV file of the audio tools: where its samples lie, the header the extraction writes,
// and how it fits the movie's sound track before re-integration writes anything (the window
// turns a misfit into its Yes/No question, the command line into a refusal unless forced).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "audio/audio_chunk_survey.h"
#include "audio/audio_track.h"
#include "platform/random_access_file.h"

namespace brelvo::audio {

// Where a WAV file's samples lie. A RIFF WAVE file is walked chunk by chunk to its "data"
// chunk, so the four letters inside an earlier chunk (a LIST INFO text) are not taken for it;
// only a file that is not RIFF WAVE is searched byte by byte for "data" in any case.
struct WavSamples {
    bool riffWave = false;
    // The "fmt " chunk's 4 size bytes and body, when the file has one.
    std::optional<std::vector<std::byte>> formatChunk;
    std::int64_t dataOffset = 0;  // the first sample byte
    std::int64_t dataSize = 0;    // the sample bytes the file holds
};

// Opens a WAV file for reading; never creates one. Throws AudioError when the path names
// nothing or something else than a file (a folder, a pipe, a device), platform::IoError when
// it cannot be opened.
std::unique_ptr<platform::RandomAccessFile> OpenExistingWav(const std::string& path);

// Throws AudioError when the file holds no "data" chunk.
WavSamples LocateWavSamples(platform::RandomAccessFile& wav);

// The WAV file's nBlockAlign (0 when it has no format chunk to say).
std::int64_t WavBlockAlign(const WavSamples& samples);

// The WAV file the extraction writes: "RIFF", its size, "WAVE", "fmt " with the movie's own
// format chunk copied whole (and a pad byte after an odd body, as RIFF wants and other
// programs need to find the next chunk), "data", its size, the samples. formatChunk: the 4
// size bytes and the body of the movie's format chunk.
std::vector<std::byte> WavHeader(std::span<const std::byte> formatChunk, std::uint32_t dataSize);

// The format chunk's body with its pad byte: S, or S + 1 for an odd S.
inline std::int64_t PaddedFormatSize(std::span<const std::byte> formatChunk) {
    const auto body = static_cast<std::int64_t>(formatChunk.size()) - 4;
    return body + (body & 1);
}
// Where the data size field lies: 24 + S (+ 1 for an odd S).
inline std::int64_t WavDataSizeOffset(std::span<const std::byte> formatChunk) {
    return 24 + PaddedFormatSize(formatChunk);
}
inline constexpr std::int64_t kWavRiffSizeOffset = 4;

// The largest data size a WAV file can state with its 32-bit sizes.
std::int64_t MaxWavDataSize(std::span<const std::byte> formatChunk);

// What "Jink Audio" drops from the start of the WAV file's samples. By the AVI standard
// dwRate / dwScale counts the stream's units per second: sample frames for PCM, blocks for
// ADPCM, frames for variable-rate MP3.
struct JinkCut {
    double seconds = 0.0;
    std::int64_t units = 0;  // seconds x dwRate / dwScale rounded half to even; 0 unless positive
    std::int64_t bytes = 0;  // units x dwSampleSize, or the first `units` audio chunks' payloads
    std::int64_t unitBytes = 0;   // dwSampleSize; 0 for a stream of one unit a chunk
    double unitsPerSecond = 0.0;  // dwRate / dwScale; 0 without a time base
};

// seconds x rate / scale rounded half to even; 0 when the scale is 0 or the result is not
// positive (the samples cannot start before their first byte).
std::int64_t JinkUnits(double seconds, std::int32_t rate, std::int32_t scale);

// The cut for the track: units x dwSampleSize rounded down to whole blocks of blockAlign (a
// part of a block would shift every later sample against its channel); for a stream whose
// units are its chunks (dwSampleSize 0), the payload bytes of the movie's first `units` audio
// chunks. Throws platform::IoError when the movie cannot be read.
JinkCut JinkCutOf(platform::RandomAccessFile& movie, const AudioTrack& track, double seconds,
                  std::int64_t blockAlign);

// What a WAV file and the movie's sound track differ in.
struct WavComparison {
    bool wavHasFormat = false;
    // What the WAV's "fmt " chunk says otherwise than the movie's format chunk, one phrase a
    // field (FormatDifferences); empty when they mean the same.
    std::vector<std::string> formatDifferences;
    std::int64_t wavBytes = 0;     // sample bytes in the WAV file
    std::int64_t movieBytes = 0;   // payload bytes of the movie's audio chunks
    std::optional<JinkCut> jink;   // the cut "Jink Audio" would make, when asked for
    AudioChunkSurvey movieChunks;  // the walk that counted them, for the write to go on with

    // "Jink Audio" was asked for a length that cuts nothing (less than half a unit, or
    // negative).
    bool JinkCutsNothing() const { return jink && jink->bytes == 0 && jink->seconds != 0.0; }
    // The cut takes every sample of the WAV file: the sound track would be zero bytes.
    bool JinkTakesAll() const { return jink && jink->bytes > 0 && jink->bytes >= wavBytes; }
};

// Throws what ReintegrateAudio throws for the WAV path (no file, no "data" chunk).
WavComparison CompareWavWithMovie(const std::string& moviePath, const AudioTrack& track,
                                  const std::string& wavPath,
                                  std::optional<double> jinkSeconds = std::nullopt);

// What differs and that the change cannot be undone, in sentences; nothing when the WAV file
// matches the sound track and the cut is one to make.
std::optional<std::string> MismatchQuestion(const WavComparison& comparison);

}  // namespace brelvo::audio
