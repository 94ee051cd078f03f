// SPDX-License-Identifier: GPL-2.0-or-later
// The WAV file: its samples, its header, its fit to the movie's sound track.
#include "audio/wav_file.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "audio/audio_error.h"
#include "audio/format_comparison.h"
#include "avi/block_reader.h"
#include "avi/chunk_cursor.h"
#include "avi/chunk_ids.h"
#include "platform/file_system.h"
#include "platform/little_endian.h"
#include "platform/number_text.h"
#include "platform/path_text.h"
#include "platform/rounding.h"

namespace brelvo::audio {
namespace {

constexpr std::size_t kSearchBlock = 64 * 1024;

std::optional<WavSamples> WalkRiffWave(platform::RandomAccessFile& wav) {
    std::array<std::byte, 12> head{};
    if (wav.ReadAt(0, head) != head.size()) return std::nullopt;
    if (!platform::SameIgnoringCase(platform::ReadFourCC(head, 0), avi::kIdRiff) ||
        !platform::SameIgnoringCase(platform::ReadFourCC(head, 8), avi::kWavForm)) {
        return std::nullopt;
    }
    WavSamples samples;
    samples.riffWave = true;
    avi::BlockReader reader(wav, 4096);
    // The RIFF size of a WAV file is often left unfilled by streaming writers: the file's
    // own end bounds the walk.
    avi::ChunkCursor cursor(reader, 12, avi::kUnboundedEnd, avi::IdClass::ListBody);
    while (auto chunk = cursor.Next()) {
        if (chunk->IdIs(avi::spelled::kWavData)) {
            samples.dataOffset = chunk->DataOffset();
            samples.dataSize =
                std::clamp<std::int64_t>(wav.Length() - samples.dataOffset, 0, chunk->size);
            return samples;
        }
        if (chunk->IdIs(avi::spelled::kWavFormat) && !samples.formatChunk &&
            chunk->size <= kMaxFormatSize) {
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
            if (platform::SameIgnoringCase(platform::ReadFourCC(block, k),
                                           avi::spelled::kWavData)) {
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

void AppendText(std::vector<std::byte>& out, std::string_view text) {
    for (const char c : text) out.push_back(static_cast<std::byte>(c));
}
void AppendU32(std::vector<std::byte>& out, std::uint32_t value) {
    out.resize(out.size() + 4);
    platform::WriteU32(out, out.size() - 4, value);
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

std::string Seconds(double seconds) {
    return platform::FormatGeneral(seconds) + " seconds";
}

std::optional<std::string> MismatchSentence(const WavComparison& c) {
    std::vector<std::string> parts;
    if (!c.wavHasFormat) {
        parts.push_back("it has no format chunk to compare with the movie's sound format");
    } else if (!c.formatDifferences.empty()) {
        std::string fields = c.formatDifferences[0];
        for (std::size_t k = 1; k < c.formatDifferences.size(); ++k)
            fields += "; " + c.formatDifferences[k];
        parts.push_back("its format differs (" + fields + ")");
    }
    if (c.wavBytes < c.movieBytes) {
        parts.push_back("it holds " + std::to_string(c.movieBytes - c.wavBytes) +
                        " sample bytes fewer than the movie's audio chunks, whose rest would be "
                        "filled with zero bytes");
    } else if (c.wavBytes > c.movieBytes) {
        parts.push_back("it holds " + std::to_string(c.wavBytes - c.movieBytes) +
                        " sample bytes more than the movie's audio chunks, which would be left "
                        "out");
    }
    if (parts.empty()) return std::nullopt;
    std::string sentence = "The WAV file does not match the movie's sound track: " + parts[0];
    for (std::size_t k = 1; k < parts.size(); ++k) sentence += " and " + parts[k];
    return sentence + ".";
}

std::optional<std::string> JinkSentence(const WavComparison& c) {
    if (c.JinkCutsNothing()) {
        const JinkCut& cut = *c.jink;
        std::string why;
        if (cut.seconds < 0.0) {
            why = "a cut cannot be negative";
        } else if (cut.unitsPerSecond <= 0.0) {
            why = "the sound stream's header gives no time base";
        } else if (cut.units == 0) {
            why = "it is less than half of one unit of the sound stream, which lasts " +
                  platform::FormatPattern(1.0 / cut.unitsPerSecond, platform::Pattern::Fixed5) +
                  " seconds";
        } else {
            why = "its " + std::to_string(cut.units) +
                  " units of the sound stream hold no whole "
                  "block of samples";
        }
        return "Jink Audio cuts nothing from " + Seconds(cut.seconds) + ": " + why + ".";
    }
    if (c.JinkTakesAll()) {
        const JinkCut& cut = *c.jink;
        return "Jink Audio's cut of " + Seconds(cut.seconds) + " (" + std::to_string(cut.units) +
               " units, " + std::to_string(cut.bytes) + " bytes) takes all " +
               std::to_string(c.wavBytes) +
               " sample bytes of the WAV file: the sound track would be only zero bytes.";
    }
    return std::nullopt;
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

std::vector<std::byte> WavHeader(std::span<const std::byte> formatChunk, std::uint32_t dataSize) {
    std::vector<std::byte> header;
    const auto padded = static_cast<std::size_t>(PaddedFormatSize(formatChunk));
    header.reserve(28 + padded);
    AppendText(header, avi::kIdRiff);
    AppendU32(header, static_cast<std::uint32_t>(20 + padded + dataSize));
    AppendText(header, avi::kWavForm);
    AppendText(header, avi::spelled::kWavFormat);
    header.insert(header.end(), formatChunk.begin(), formatChunk.end());
    if (padded + 4 > formatChunk.size()) header.push_back(std::byte{0});
    AppendText(header, avi::spelled::kWavData);
    AppendU32(header, dataSize);
    return header;
}

std::int64_t MaxWavDataSize(std::span<const std::byte> formatChunk) {
    return std::int64_t{0xFFFFFFFF} - 20 - PaddedFormatSize(formatChunk);
}

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

WavComparison CompareWavWithMovie(const std::string& moviePath, const AudioTrack& track,
                                  const std::string& wavPath, std::optional<double> jinkSeconds) {
    auto wav = OpenExistingWav(wavPath);
    const WavSamples samples = LocateWavSamples(*wav);
    auto movie = platform::OpenFile(moviePath, platform::OpenMode::Read);
    WavComparison comparison;
    comparison.wavHasFormat = samples.formatChunk.has_value();
    if (samples.formatChunk) {
        const auto movieFormat = ReadFormatChunk(*movie, track);
        comparison.formatDifferences = FormatDifferences(std::span(*samples.formatChunk).subspan(4),
                                                         std::span(movieFormat).subspan(4));
    }
    comparison.wavBytes = samples.dataSize;
    if (jinkSeconds) {
        comparison.jink = JinkCutOf(*movie, track, *jinkSeconds, WavBlockAlign(samples));
    }
    comparison.movieChunks = SurveyAudioChunks(
        *movie, track.streamNumber,
        WavSampleRange{*wav, samples.dataOffset, samples.dataOffset + samples.dataSize});
    comparison.movieBytes = comparison.movieChunks.sampleBytes;
    return comparison;
}

std::optional<std::string> MismatchQuestion(const WavComparison& c) {
    const auto mismatch = MismatchSentence(c);
    const auto jink = JinkSentence(c);
    if (!mismatch && !jink) return std::nullopt;
    std::string text;
    for (const auto& sentence : {mismatch, jink}) {
        if (sentence) text += *sentence + " ";
    }
    return text + "Writing it back cannot be undone.";
}

}  // namespace brelvo::audio
