// SPDX-License-Identifier: GPL-2.0-or-later
// The load-time writes: video time base to dwScale 10000, JUNK payloads to spaces.
#include "avi/normalise_on_load.h"

#include <algorithm>
#include <vector>

#include "avi/decode_headers.h"
#include "avi/write_plan.h"
#include "platform/rounding.h"

namespace brelvo::avi {
namespace {

constexpr std::int32_t kNormalScale = 10000;
constexpr std::int64_t kBlankBlock = 64 * 1024;

// The largest integer not above rate × 10000 / scale, exactly (no floating-point loss).
std::int64_t RescaledRate(std::int32_t rate, std::int32_t scale) {
    const std::int64_t numerator = static_cast<std::int64_t>(rate) * kNormalScale;
    std::int64_t quotient = numerator / scale;
    if (numerator % scale != 0 && numerator < 0) --quotient;
    return quotient;
}

struct RatePatch {
    std::size_t stream;
    std::int32_t newRate;
    double factor;  // 0 when the stream already had dwScale 10000
};

// The block of spaces every JUNK write of the plan shows a part of.
const std::vector<std::byte>& Spaces() {
    static const std::vector<std::byte> spaces(kBlankBlock, std::byte{' '});
    return spaces;
}

}  // namespace

HeaderRecord NormaliseOnLoad(platform::RandomAccessFile& file, const ChunkMap& chunkMap,
                             HeaderRecord record) {
    // Work out every new rate before writing anything, so a rate that does not fit leaves
    // the file as it was.
    std::vector<RatePatch> patches;
    for (std::size_t k = 0; k < record.streams.size(); ++k) {
        const auto& s = record.streams[k];
        if (!s.IsVideo() || s.header.scale <= 0) continue;
        RatePatch p{k, s.header.rate, 0.0};
        if (s.header.scale != kNormalScale) {
            // Each stream is rescaled by its own factor.
            p.factor = static_cast<double>(kNormalScale) / s.header.scale;
            const auto rescaled =
                platform::ToInt32(static_cast<double>(RescaledRate(s.header.rate, s.header.scale)));
            if (!rescaled) {
                throw DecodeError("the rescaled frame rate of stream " + std::to_string(s.index) +
                                  " does not fit 32 bits");
            }
            p.newRate = *rescaled;
        }
        patches.push_back(p);
    }
    WritePlan plan(record.loadedLength);
    plan.reportBytes = false;
    for (const auto& p : patches) {
        auto& s = record.streams[p.stream];
        plan.AddInt32(s.scaleField, kNormalScale);
        if (p.factor != 0.0) plan.AddInt32(s.rateField, p.newRate);
        s.header.scale = kNormalScale;
        s.header.rate = p.newRate;
    }
    // A JUNK payload is written in blocks: one block of spaces serves any length.
    for (const auto& junk : BlankableJunkData(file, chunkMap)) {
        for (std::int64_t done = 0; done < junk.width; done += kBlankBlock) {
            const auto n = static_cast<int>(std::min<std::int64_t>(kBlankBlock, junk.width - done));
            plan.AddView(FieldRef{junk.name, junk.offset + done, n},
                         std::span(Spaces()).first(static_cast<std::size_t>(n)));
        }
    }
    ApplyPlan(file, plan);

    if (const auto* video = record.VideoStream()) {
        record.videoScale = video->header.scale;
        record.videoRate = video->header.rate;
        record.framesPerSec = video->header.scale > 0
                                  ? static_cast<double>(video->header.rate) / video->header.scale
                                  : 0.0;
        const auto last = std::find_if(patches.rbegin(), patches.rend(), [&](const RatePatch& p) {
            return &record.streams[p.stream] == video;
        });
        if (last != patches.rend()) record.rateFactor = last->factor;
    }
    if (const auto* audio = record.AudioStream()) record.audioHeader = audio->header;
    return record;
}

}  // namespace brelvo::avi
