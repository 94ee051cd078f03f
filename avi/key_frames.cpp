// SPDX-License-Identifier: GPL-2.0-or-later
// The key-frame count over the idx1 index.
#include "avi/key_frames.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "avi/opendml_index.h"
#include "platform/little_endian.h"
#include "platform/number_text.h"

namespace brelvo::avi {
namespace {

constexpr std::int64_t kEntryBytes = 16;
constexpr std::uint32_t kKeyFrameFlag = 0x10;
constexpr std::int64_t kEntriesPerRead = 4096;

bool IsPaletteChange(std::span<const std::byte> entry, std::size_t at) {
    const auto c = [&](std::size_t k) { return static_cast<char>(entry[at + k]) | 0x20; };
    return c(2) == 'p' && c(3) == 'c';
}

}  // namespace

std::string StreamDigits(int streamIndex) {
    std::string digits = std::to_string(streamIndex);
    if (digits.size() < 2) digits.insert(0, 2 - digits.size(), '0');
    return digits;
}

KeyFrameCount CountKeyFrames(platform::RandomAccessFile& file, const ChunkRow& idx1Row,
                             int videoStreamIndex) {
    KeyFrameCount count;
    const std::int64_t start = idx1Row.DataOffset();
    const std::int64_t inFile = std::max<std::int64_t>(0, file.Length() - start);
    // Whole entries only: of the size as stored (unsigned: an index of 2 GiB or more is one),
    // and of what the file still holds.
    const std::int64_t stored = static_cast<std::uint32_t>(idx1Row.size);
    const std::int64_t entries = std::min(stored / kEntryBytes, inFile / kEntryBytes);
    const std::string digits = StreamDigits(videoStreamIndex);
    const bool countable = digits.size() == 2;
    std::vector<std::byte> block;
    for (std::int64_t done = 0; done < entries;) {
        const auto n = std::min(kEntriesPerRead, entries - done);
        block.resize(static_cast<std::size_t>(n * kEntryBytes));
        file.ReadExactAt(start + done * kEntryBytes, block);
        for (std::int64_t e = 0; e < n && countable; ++e) {
            const auto at = static_cast<std::size_t>(e * kEntryBytes);
            if (static_cast<char>(block[at]) != digits[0] ||
                static_cast<char>(block[at + 1]) != digits[1]) {
                continue;
            }
            if ((platform::ReadU32(block, at + 4) & kKeyFrameFlag) != 0) ++count.keyFrames;
            if (!IsPaletteChange(block, at)) ++count.streamEntries;
        }
        done += n;
    }
    count.entriesRead = entries;
    return count;
}

std::optional<std::int64_t> KeyFrameInterval(std::int32_t totalFrames, std::int64_t keyFrames) {
    if (keyFrames == 0) return std::nullopt;
    std::int64_t quotient = totalFrames / keyFrames;
    if (totalFrames % keyFrames != 0 && ((totalFrames < 0) != (keyFrames < 0))) --quotient;
    return quotient;
}

std::string KeyFrameCaption(std::int32_t totalFrames, std::int64_t keyFrames) {
    using platform::FormatPlain;
    const auto interval = KeyFrameInterval(totalFrames, keyFrames);
    const std::string every = interval ? FormatPlain(*interval) : "-";  // none without a key
    return "Frames " + FormatPlain(totalFrames) + " ( " + FormatPlain(keyFrames) + " * Key / " +
           FormatPlain(totalFrames - keyFrames) + " Delta.) Every " + every;
}

MovieKeyFrames CountMovieKeyFrames(platform::RandomAccessFile& file, const ChunkMap& chunkMap,
                                   const HeaderRecord& record) {
    MovieKeyFrames result;
    result.videoStreams = record.VideoStreamCount();
    result.totalFrames = record.totalFrames;
    const StreamRecord* video = record.VideoStream();
    const bool haveIdx1 = record.idx1Row && *record.idx1Row < chunkMap.size();
    std::int64_t streamEntries = 0;
    if (video) {
        if (const auto odml = CountOdmlIndex(file, chunkMap, video->strhRow)) {
            result.damage = odml->damage;
            // An OpenDML index that yields nothing leaves the count to idx1, if there is one.
            if (odml->entries > 0 || !haveIdx1) {
                result.index = KeyFrameIndex::OpenDml;
                result.keyFrames = odml->keyFrames;
                streamEntries = odml->entries;
            } else if (!result.damage.empty()) {
                result.damage += "; idx1 was counted instead";
            }
        }
    }
    if (result.index == KeyFrameIndex::None && haveIdx1) {
        const auto count =
            CountKeyFrames(file, chunkMap[*record.idx1Row], video != nullptr ? video->index : 0);
        result.index = KeyFrameIndex::Idx1;
        result.keyFrames = count.keyFrames;
        streamEntries = count.streamEntries;
    }
    // Among several video streams the movie's count is the first stream's: the statistic
    // takes the counted stream's own frames.
    if (result.videoStreams > 1 && video) {
        const std::int64_t own = streamEntries > 0 ? streamEntries : video->header.length;
        result.totalFrames = static_cast<std::int32_t>(
            std::clamp<std::int64_t>(own, 0, std::numeric_limits<std::int32_t>::max()));
    }
    return result;
}

std::string MovieKeyFrameCaption(const MovieKeyFrames& count) {
    std::string caption = KeyFrameCaption(count.totalFrames, count.keyFrames);
    if (count.videoStreams > 1) {
        caption += " (last of " + std::to_string(count.videoStreams) + " video streams)";
    }
    return caption;
}

std::string KeyFrameDamageNote(const MovieKeyFrames& count) {
    if (count.damage.empty()) return {};
    return "The index of this file is damaged (" + count.damage +
           "): the key frames are counted as far as it can be read.";
}

}  // namespace brelvo::avi
