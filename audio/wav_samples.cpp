// SPDX-License-Identifier: GPL-2.0-or-later
// Finding the samples of a WAV file.
#include "audio/wav_samples.h"

#include <algorithm>
#include <array>

#include "audio/audio_error.h"
#include "audio/audio_track.h"
#include "audio/block_reader.h"
#include "audio/chunk_cursor.h"
#include "platform/file_system.h"
#include "platform/little_endian.h"
#include "platform/path_text.h"

namespace brelvo::audio {
namespace {

constexpr std::size_t kSearchBlock = 64 * 1024;

std::optional<WavSamples> WalkRiffWave(platform::RandomAccessFile& wav) {
    std::array<std::byte, 12> head{};
    if (wav.ReadAt(0, head) != head.size()) return std::nullopt;
    if (platform::AsciiUpper(platform::ReadFourCC(head, 0)) != "RIFF" ||
        platform::AsciiUpper(platform::ReadFourCC(head, 8)) != "WAVE") {
        return std::nullopt;
    }
    WavSamples samples;
    samples.riffWave = true;
    BlockReader reader(wav, 4096);
    // The RIFF size of a WAV file is often left unfilled by streaming writers: the file's
    // own end bounds the walk.
    ChunkCursor cursor(reader, 12, kUnboundedEnd, IdClass::ListBody);
    while (auto chunk = cursor.Next()) {
        if (chunk->IdIs("data")) {
            samples.dataOffset = chunk->DataOffset();
            samples.dataSize =
                std::clamp<std::int64_t>(wav.Length() - samples.dataOffset, 0, chunk->size);
            return samples;
        }
        if (chunk->IdIs("fmt ") && !samples.formatChunk && chunk->size <= kMaxFormatSize) {
            std::vector<std::byte> format(4 + std::size_t{chunk->size});
            platform::WriteU32(format, 0, chunk->size);
            if (wav.ReadAt(chunk->DataOffset(), std::span(format).subspan(4)) == chunk->size) {
                samples.formatChunk = std::move(format);
            }
        }
    }
    throw AudioError("The WAV file holds no \"data\" chunk.", wav.Path());
}

// Not a RIFF WAVE file: the first "data" in any case, the samples from 8 bytes behind it to
// the end of the file.
WavSamples SearchData(platform::RandomAccessFile& wav) {
    const std::int64_t length = wav.Length();
    std::vector<std::byte> block(kSearchBlock);
    std::int64_t at = 0;
    while (at + 4 <= length) {
        const std::size_t got = wav.ReadAt(at, block);
        if (got < 4) break;
        for (std::size_t k = 0; k + 4 <= got; ++k) {
            if (platform::AsciiUpper(platform::ReadFourCC(block, k)) == "DATA") {
                WavSamples samples;
                samples.dataOffset = at + static_cast<std::int64_t>(k) + 8;
                samples.dataSize = std::max<std::int64_t>(length - samples.dataOffset, 0);
                return samples;
            }
        }
        at += static_cast<std::int64_t>(got) - 3;
    }
    throw AudioError("The file is no WAV file: it holds no \"data\" chunk.", wav.Path());
}

}  // namespace

std::unique_ptr<platform::RandomAccessFile> OpenExistingWav(const std::string& path) {
    if (const auto kind = platform::NonFileKind(path)) {
        throw AudioError("The WAV path names " + *kind + ", not a file.", path);
    }
    if (!platform::IsRegularFile(path)) {
        throw AudioError("The WAV file does not exist.", path);
    }
    return platform::OpenFile(path, platform::OpenMode::Read);
}

WavSamples LocateWavSamples(platform::RandomAccessFile& wav) {
    if (auto samples = WalkRiffWave(wav)) return *samples;
    return SearchData(wav);
}

}  // namespace brelvo::audio
