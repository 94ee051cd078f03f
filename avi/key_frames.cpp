// SPDX-License-Identifier: GPL-2.0-or-later
// The key-frame count over the idx1 index.
#include "avi/key_frames.h"

#include <algorithm>
#include <vector>

#include "platform/little_endian.h"
#include "platform/number_text.h"

namespace brelvo::avi {
namespace {

constexpr std::int64_t kEntryBytes = 16;
constexpr std::uint32_t kKeyFrameFlag = 0x10;
constexpr std::int64_t kEntriesPerRead = 4096;

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
    // Whole entries only: of the size as stored, and of what the file still holds.
    const std::int64_t entries =
        std::min<std::int64_t>(std::max(idx1Row.size, 0) / kEntryBytes, inFile / kEntryBytes);
    const std::string digits = StreamDigits(videoStreamIndex);
    const bool countable = digits.size() == 2;
    std::vector<std::byte> block;
    for (std::int64_t done = 0; done < entries;) {
        const auto n = std::min(kEntriesPerRead, entries - done);
        block.resize(static_cast<std::size_t>(n * kEntryBytes));
        file.ReadExactAt(start + done * kEntryBytes, block);
        for (std::int64_t e = 0; e < n && countable; ++e) {
            const auto at = static_cast<std::size_t>(e * kEntryBytes);
            if (static_cast<char>(block[at]) == digits[0] &&
                static_cast<char>(block[at + 1]) == digits[1] &&
                (platform::ReadU32(block, at + 4) & kKeyFrameFlag) != 0) {
                ++count.keyFrames;
            }
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

}  // namespace brelvo::avi
