// Re-integration from WAV.
#include "audio/reintegrate_audio.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "audio/audio_chunk_survey.h"
#include "audio/progress_meter.h"
#include "audio/sample_source.h"
#include "editing/field_edit.h"
#include "platform/io_error.h"
#include "platform/little_endian.h"
#include "platform/rounding.h"

namespace brelvo::audio {
namespace {

void WriteWithinFile(platform::RandomAccessFile& movie, std::int64_t length, std::int64_t offset,
                     std::span<const std::byte> bytes) {
    if (offset < 0 || offset + static_cast<std::int64_t>(bytes.size()) > length) {
        throw platform::IoError(platform::FileOp::Write, movie.Path(),
                                "a write past the end of the file was refused");
    }
    movie.WriteAt(offset, bytes);
}

// Where a write is under way, for the failure to say whether the movie may have changed.
struct WriteState {
    bool dryRun = false;
    bool writing = false;
};

// Writes the stretch of `wanted` from its first to its last byte that differs from what the
// file holds there (`held`; shorter when the file ended early, the rest then differs). Bytes
// already right are not written again: an edit of a few seconds dirties a few pages, not the
// whole sound track. Returns how many bytes were written (in a dry run: would be).
std::int64_t WriteDifferences(platform::RandomAccessFile& movie, std::int64_t length,
                              std::int64_t offset, std::span<const std::byte> wanted,
                              std::span<const std::byte> held, WriteState& state) {
    const auto common = std::min(wanted.size(), held.size());
    if (common == wanted.size() && std::memcmp(wanted.data(), held.data(), common) == 0) return 0;
    const auto first = static_cast<std::size_t>(
        std::mismatch(wanted.begin(), wanted.begin() + static_cast<std::ptrdiff_t>(common),
                      held.begin())
            .first -
        wanted.begin());
    if (first == wanted.size()) return 0;
    std::size_t end = wanted.size();
    if (held.size() >= wanted.size()) {
        while (end > first && wanted[end - 1] == held[end - 1]) --end;
    }
    if (!state.dryRun) {
        state.writing = true;
        WriteWithinFile(movie, length, offset + static_cast<std::int64_t>(first),
                        wanted.subspan(first, end - first));
        state.writing = false;
    }
    return static_cast<std::int64_t>(end - first);
}

// A skip of part of a block would shift every later sample against its channel.
std::int64_t WholeBlocks(std::int64_t bytes, std::int64_t blockAlign) {
    return blockAlign > 1 ? bytes - bytes % blockAlign : bytes;
}

// The payloads of the first `units` audio chunks.
std::int64_t LeadingChunkBytes(platform::RandomAccessFile& movie, int streamNumber,
                               std::int64_t units) {
    std::int64_t bytes = 0;
    AudioChunkWalk walk(movie, streamNumber);
    for (std::int64_t k = 0; k < units; ++k) {
        const auto chunk = walk.Next();
        if (!chunk) break;
        bytes += chunk->available;
    }
    return bytes;
}

}  // namespace

std::int64_t JinkUnits(double seconds, std::int32_t rate, std::int32_t scale) {
    if (scale == 0) return 0;
    const double units =
        platform::RoundHalfEven(seconds * (static_cast<double>(rate) / static_cast<double>(scale)));
    if (!(units > 0.0)) return 0;    // also NaN
    constexpr double kFar = 4.0e18;  // beyond any file; keeps the conversion defined
    return static_cast<std::int64_t>(std::min(units, kFar));
}

JinkCut JinkCutOf(platform::RandomAccessFile& movie, const AudioTrack& track, double seconds,
                  std::int64_t blockAlign) {
    JinkCut cut;
    cut.seconds = seconds;
    cut.units = JinkUnits(seconds, track.rate, track.scale);
    cut.unitBytes = std::max<std::int64_t>(track.sampleSize, 0);
    if (track.scale != 0) cut.unitsPerSecond = static_cast<double>(track.rate) / track.scale;
    if (cut.units == 0) return cut;
    if (cut.unitBytes == 0) {
        cut.bytes = LeadingChunkBytes(movie, track.streamNumber, cut.units);
    } else {
        constexpr std::int64_t kFar = std::int64_t{1} << 62;  // beyond any file
        const std::int64_t bytes =
            cut.units > kFar / cut.unitBytes ? kFar : cut.units * cut.unitBytes;
        cut.bytes = WholeBlocks(bytes, blockAlign);
    }
    return cut;
}

std::int64_t WavBlockAlign(const WavSamples& samples) {
    constexpr std::size_t kAt = 4 + 12;  // behind the size field, tag, channels and two rates
    if (!samples.formatChunk || samples.formatChunk->size() < kAt + 2) return 0;
    return platform::ReadU16(*samples.formatChunk, kAt);
}

namespace {

void CopySamples(platform::RandomAccessFile& movie, const AudioTrack& track,
                 platform::RandomAccessFile& wav, const WavSamples& samples,
                 const ReintegrationOptions& options, ProgressSink* progress,
                 ReintegrationResult& result, WriteState& state) {
    const std::int64_t dataEnd = samples.dataOffset + samples.dataSize;
    if (options.jinkSeconds) {
        result.jink = JinkCutOf(movie, track, *options.jinkSeconds, WavBlockAlign(samples));
        result.skippedBytes = result.jink->bytes;
    }
    const std::int64_t from = samples.dataOffset + std::min(result.skippedBytes, samples.dataSize);
    SampleSource source(wav, from, dataEnd, options.tuning.copyBlock);

    SurveyedChunks walk(movie, track.streamNumber, options.surveyed, options.tuning.headerBlock);
    const std::int64_t length = walk.FileLength();
    // Chunks the check found holding these very samples are neither read nor written again.
    const std::int64_t alreadyHeld = walk.SkipMatching(from, dataEnd);
    source.Skip(alreadyHeld);
    result.bytesWritten += alreadyHeld;
    ProgressMeter meter(progress, length);
    if (alreadyHeld > 0) meter.Update(walk.Position(), result.bytesWritten);
    std::vector<std::byte> held(std::max<std::size_t>(options.tuning.copyBlock, 16));
    while (const auto chunk = walk.Next()) {
        std::int64_t offset = chunk->payloadOffset;
        std::int64_t remaining = chunk->available;
        while (remaining > 0) {
            const auto piece =
                source.Peek(std::min(remaining, static_cast<std::int64_t>(held.size())));
            const auto now = std::span(held).first(piece.size());
            const std::size_t got = walk.ReadPayload(offset, now);
            result.bytesChanged +=
                WriteDifferences(movie, length, offset, piece, now.first(got), state);
            source.Consume(piece.size());
            offset += static_cast<std::int64_t>(piece.size());
            remaining -= static_cast<std::int64_t>(piece.size());
            result.bytesWritten += static_cast<std::int64_t>(piece.size());
        }
        meter.Update(walk.Position(), result.bytesWritten);
    }
    meter.Update(length, result.bytesWritten);
    const WalkStats stats = walk.Stats();
    result.chunks = stats.chunks;
    result.resyncs = stats.resyncs;
    result.samplesUsed = source.Used();
    result.zeroFilled = source.ZeroBytes();
}

}  // namespace

ReintegrationResult WriteSamples(platform::RandomAccessFile& movie, const AudioTrack& track,
                                 platform::RandomAccessFile& wav, const WavSamples& samples,
                                 const ReintegrationOptions& options, ProgressSink* progress) {
    ReintegrationResult result;
    WriteState state{options.dryRun};
    try {
        CopySamples(movie, track, wav, samples, options, progress, result, state);
    } catch (const ReintegrationFailed&) {
        throw;
    } catch (const platform::IoError& e) {
        throw ReintegrationFailed(e, result.bytesChanged, state.writing);
    }
    return result;
}

ReintegrationResult ReintegrateAudio(const std::string& moviePath, const AudioTrack& track,
                                     const std::string& wavPath,
                                     const ReintegrationOptions& options, ProgressSink* progress) {
    auto wav = OpenExistingWav(wavPath);
    const WavSamples samples = LocateWavSamples(*wav);
    auto movie = platform::OpenFile(
        moviePath, options.dryRun ? platform::OpenMode::Read : platform::OpenMode::ReadWrite);
    editing::RequireLoadedLength(*movie, options.loadedLength);
    return WriteSamples(*movie, track, *wav, samples, options, progress);
}

}  // namespace brelvo::audio
