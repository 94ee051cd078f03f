// SPDX-License-Identifier: GPL-2.0-or-later
// Extraction to WAV.
#include "audio/extract_audio.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "audio/audio_chunk_walk.h"
#include "audio/audio_error.h"
#include "audio/wav_file.h"
#include "platform/file_system.h"
#include "platform/interrupt_cleanup.h"
#include "platform/io_error.h"
#include "platform/little_endian.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace brelvo::audio {
namespace {

// Appends to a file through one fixed buffer that reads can fill in place.
class BufferedAppender {
  public:
    BufferedAppender(platform::RandomAccessFile& out, std::int64_t start, std::size_t blockSize)
        : out_(out), flushedTo_(start), buffer_(std::max<std::size_t>(blockSize, 16)) {}

    std::span<std::byte> FreeSpace() {
        if (used_ == buffer_.size()) Flush();
        return std::span(buffer_).subspan(used_);
    }
    void Commit(std::size_t n) { used_ += n; }
    void Flush() {
        if (used_ == 0) return;
        out_.WriteAt(flushedTo_, std::span(buffer_).first(used_));
        flushedTo_ += static_cast<std::int64_t>(used_);
        used_ = 0;
    }

  private:
    platform::RandomAccessFile& out_;
    std::int64_t flushedTo_;
    std::vector<std::byte> buffer_;
    std::size_t used_ = 0;
};

// The temporary file beside the target; removed unless the rename took it over, also when
// the process is interrupted meanwhile.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::string& target)
        : path_(UniqueNameBeside(target)), onInterrupt_(std::in_place, path_) {}
    ~TemporaryFile() {
        if (!path_.empty()) {
            std::error_code ignored;  // nothing better to do while another error unwinds
            std::filesystem::remove(path_, ignored);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& Path() const { return path_; }
    void RenameOver(const std::string& target) {
        platform::RenameFile(path_, target);
        path_.clear();
        onInterrupt_.reset();
    }

  private:
    static std::string UniqueNameBeside(const std::string& target) {
        static std::atomic<int> counter{0};
#ifdef _WIN32
        const long long process = 0;
#else
        const long long process = ::getpid();
#endif
        for (;;) {
            const std::string candidate =
                target + ".part-" + std::to_string(process) + "-" + std::to_string(counter++);
            if (!platform::FileExists(candidate)) return candidate;
        }
    }
    std::string path_;
    std::optional<platform::RemovedOnInterrupt> onInterrupt_;
};

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

}  // namespace

ExtractionResult WriteWav(platform::RandomAccessFile& movie, const AudioTrack& track,
                          platform::RandomAccessFile& out, ProgressSink* progress,
                          const CopyTuning& tuning) {
    const std::vector<std::byte> formatChunk = ReadFormatChunk(movie, track);
    std::vector<std::byte> header = WavHeader(formatChunk, 0);

    ExtractionResult result;
    AudioChunkWalk walk(movie, track.streamNumber, tuning.headerBlock);
    ProgressMeter meter(progress, walk.FileLength());
    // The header goes out with the first samples, so that every write starts on a block
    // boundary of the new file.
    BufferedAppender appender(out, 0, std::max(tuning.copyBlock, header.size()));
    std::copy(header.begin(), header.end(), appender.FreeSpace().begin());
    appender.Commit(header.size());
    const std::int64_t maxData = MaxWavDataSize(formatChunk);
    while (const auto chunk = walk.Next()) {
        if (result.dataBytes + chunk->available > maxData) {
            throw AudioError("The sound track holds more than " + std::to_string(maxData) +
                                 " bytes, more than a WAV file's sizes can state.",
                             movie.Path());
        }
        std::int64_t offset = chunk->payloadOffset;
        std::int64_t remaining = chunk->available;
        while (remaining > 0) {
            auto space = appender.FreeSpace();
            const auto want = static_cast<std::size_t>(
                std::min<std::int64_t>(remaining, static_cast<std::int64_t>(space.size())));
            const std::size_t got = walk.ReadPayload(offset, space.first(want));
            appender.Commit(got);
            result.dataBytes += static_cast<std::int64_t>(got);
            if (got < want) break;  // the movie shrank while we read it
            offset += static_cast<std::int64_t>(got);
            remaining -= static_cast<std::int64_t>(got);
        }
        meter.Update(walk.Position(), result.dataBytes);
    }
    appender.Flush();
    meter.Update(walk.FileLength(), result.dataBytes);

    header = WavHeader(formatChunk, static_cast<std::uint32_t>(result.dataBytes));
    out.WriteAt(kWavRiffSizeOffset, std::span(header).subspan(kWavRiffSizeOffset, 4));
    const auto dataSizeAt = static_cast<std::size_t>(WavDataSizeOffset(formatChunk));
    out.WriteAt(WavDataSizeOffset(formatChunk), std::span(header).subspan(dataSizeAt, 4));

    result.chunks = walk.Stats().chunks;
    result.cutShort = walk.Stats().cutShort;
    result.resyncs = walk.Stats().resyncs;
    return result;
}

ExtractionResult ExtractAudio(const std::string& moviePath, const AudioTrack& track,
                              const std::string& wavPath, ProgressSink* progress,
                              const CopyTuning& tuning) {
    if (SameFile(moviePath, wavPath)) {
        throw AudioError("The WAV file would replace the movie itself.", wavPath);
    }
    if (const auto kind = platform::NonFileKind(wavPath)) {
        throw AudioError("The WAV path names " + *kind + ", not a file.", wavPath);
    }
    auto movie = platform::OpenFile(moviePath, platform::OpenMode::Read);
    TemporaryFile temporary(wavPath);
    ExtractionResult result;
    {
        auto out = platform::OpenFile(temporary.Path(), platform::OpenMode::CreateTruncate);
        result = WriteWav(*movie, track, *out, progress, tuning);
    }  // closed before the rename, as Windows requires
    temporary.RenameOver(wavPath);
    return result;
}

}  // namespace brelvo::audio
