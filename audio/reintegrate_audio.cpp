// SPDX-License-Identifier: GPL-2.0-or-later
// Re-integration from WAV.
#include "audio/reintegrate_audio.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "audio/audio_chunk_survey.h"
#include "audio/sample_source.h"
#include "avi/write_plan.h"
#include "platform/io_error.h"
#include "platform/little_endian.h"

namespace brelvo::audio {
namespace {

// The payload bytes one plan writes at most.
constexpr std::size_t kBatch = 1024 * 1024;

// The payload bytes that differ from what the movie holds, written through the one write
// path a batch at a time: a plan checks the movie once for many chunks, and its bytes are
// copied into a buffer that never grows, so the views stay good until the plan is applied.
// In a dry run the bytes are only counted.
class PayloadWriter {
  public:
    PayloadWriter(platform::RandomAccessFile& movie, std::int64_t loadedLength,
                  std::size_t batchBytes, bool dryRun)
        : movie_(movie), plan_(loadedLength), dryRun_(dryRun) {
        if (!dryRun_) pending_.reserve(batchBytes);
        plan_.reportBytes = false;
    }

    // Adds the stretch of `wanted` from its first to its last byte that differs from what the
    // file holds there (`held`; shorter when the file ended early, the rest then differs).
    // Bytes already right are not written again: an edit of a few seconds dirties a few
    // pages, not the whole sound track. Returns how many bytes will be written.
    std::int64_t Add(std::int64_t offset, std::span<const std::byte> wanted,
                     std::span<const std::byte> held) {
        const auto common = std::min(wanted.size(), held.size());
        if (common == wanted.size() && std::memcmp(wanted.data(), held.data(), common) == 0) {
            return 0;
        }
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
        const auto stretch = wanted.subspan(first, end - first);
        if (dryRun_) return static_cast<std::int64_t>(stretch.size());
        if (pending_.size() + stretch.size() > pending_.capacity()) Flush();
        const auto at = pending_.size();
        pending_.insert(pending_.end(), stretch.begin(), stretch.end());
        plan_.AddView(avi::FieldRef{"sound samples", offset + static_cast<std::int64_t>(first),
                                    static_cast<int>(stretch.size())},
                      std::span(pending_).subspan(at, stretch.size()));
        return static_cast<std::int64_t>(stretch.size());
    }

    // Applies the pending plan. Throws ReintegrationFailed when a write fails.
    void Flush() {
        if (plan_.writes.empty()) return;
        try {
            written_ += avi::ApplyPlan(movie_, plan_).bytesWritten;
        } catch (const avi::PlanFailed& e) {
            throw ReintegrationFailed(e, written_ + e.BytesWritten(), true);
        }
        plan_.writes.clear();
        pending_.clear();
    }

    // The bytes written and read back so far.
    std::int64_t Written() const { return written_; }

  private:
    platform::RandomAccessFile& movie_;
    avi::WritePlan plan_;
    bool dryRun_;
    std::vector<std::byte> pending_;
    std::int64_t written_ = 0;
};

void CopySamples(platform::RandomAccessFile& movie, const AudioTrack& track,
                 platform::RandomAccessFile& wav, const WavSamples& samples,
                 const ReintegrationOptions& options, ProgressSink* progress,
                 ReintegrationResult& result, PayloadWriter& writer) {
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
            result.bytesChanged += writer.Add(offset, piece, now.first(got));
            source.Consume(piece.size());
            offset += static_cast<std::int64_t>(piece.size());
            remaining -= static_cast<std::int64_t>(piece.size());
            result.bytesWritten += static_cast<std::int64_t>(piece.size());
        }
        meter.Update(walk.Position(), result.bytesWritten);
    }
    writer.Flush();
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
    // Another movie under the same name (a new encode) is refused before anything is read.
    avi::RequireLoadedMovie(movie, track.loadedLength);
    ReintegrationResult result;
    PayloadWriter writer(movie, track.loadedLength, std::max(options.tuning.copyBlock, kBatch),
                         options.dryRun);
    try {
        CopySamples(movie, track, wav, samples, options, progress, result, writer);
    } catch (const ReintegrationFailed&) {
        throw;
    } catch (const platform::IoError& e) {
        throw ReintegrationFailed(e, writer.Written(), false);
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
    return WriteSamples(*movie, track, *wav, samples, options, progress);
}

ReintegrationOutcome RunReintegration(const std::string& moviePath, const avi::HeaderRecord& record,
                                      std::optional<int> nthSoundStream, const std::string& wavPath,
                                      ReintegrationOptions options, const MismatchAnswer& answer,
                                      ProgressSink* progress) {
    ReintegrationOutcome outcome;
    {
        const auto movie = platform::OpenFile(moviePath, platform::OpenMode::Read);
        outcome.track = nthSoundStream ? AudioTrackFromRecord(*movie, record, *nthSoundStream)
                                       : AudioTrackFromRecord(*movie, record);
    }
    auto comparison = CompareWavWithMovie(moviePath, outcome.track, wavPath, options.jinkSeconds);
    outcome.wavBytes = comparison.wavBytes;
    outcome.movieBytes = comparison.movieBytes;
    outcome.mismatch = MismatchQuestion(comparison);
    if (outcome.mismatch) {
        outcome.declined = !answer(*outcome.mismatch);
        if (outcome.declined) return outcome;
        // While the question waited, the WAV file may have been saved again.
        comparison.movieChunks.ForgetSamples();
    }
    options.surveyed = &comparison.movieChunks;
    outcome.result = ReintegrateAudio(moviePath, outcome.track, wavPath, options, progress);
    return outcome;
}

}  // namespace brelvo::audio
