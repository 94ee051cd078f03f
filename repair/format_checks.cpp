// SPDX-License-Identifier: GPL-2.0-or-later
// The frame time against the video rate, buffer sizes against the largest chunks, audio
// formats against themselves and their stream header, and the two codec tags of the video.
#include <cstdlib>

#include "avi/field_patch.h"
#include "editing/frame_rate.h"
#include "platform/path_text.h"
#include "repair/checks.h"

namespace brelvo::repair {
namespace {

constexpr std::int16_t kWavePcm = 1;

void FrameTime(const CheckInput& in, std::vector<Finding>& out) {
    const auto* main = in.record.LastMainHeader();
    const auto* video = in.record.VideoStream();
    if (main == nullptr || video == nullptr) return;
    const auto& h = video->header;
    std::int32_t expected = 0;
    try {
        expected = editing::FrameRateFieldsFor(h.rate, h.scale).microSecPerFrame;
    } catch (const avi::PatchRefused&) {
        return;  // no usable rate to compare with
    }
    // Writers round the frame time either way; a microsecond apart is the same rate.
    const std::int64_t holds = Stored(main->microSecPerFrame);
    if (expected <= 0 || std::llabs(holds - expected) <= 1) return;
    if (const auto v = Recorded(in.record, "avih.dwMicroSecPerFrame", holds)) {
        out.push_back(Mismatch(Code::FrameTimeMismatch, *v, expected,
                               "the video stream's dwRate " + std::to_string(h.rate) +
                                   " / dwScale " + std::to_string(h.scale) + " gives " +
                                   std::to_string(expected) + " microseconds per frame"));
    }
}

// A suggested size of 0 means "not given", never too small.
void BufferSizes(const CheckInput& in, std::vector<Finding>& out) {
    const auto& s = in.structure;
    const auto* main = in.record.LastMainHeader();
    const auto largestText = [](std::uint32_t bytes, std::string_view of) {
        return "the largest chunk " + std::string(of) + "holds " + std::to_string(bytes) + " bytes";
    };
    if (main != nullptr && main->suggestedBufferSize != 0 &&
        Stored(main->suggestedBufferSize) < s.largestChunk) {
        if (const auto v = Recorded(in.record, "avih.dwSuggestedBufferSize",
                                    Stored(main->suggestedBufferSize))) {
            out.push_back(Mismatch(Code::MainBufferTooSmall, *v, s.largestChunk,
                                   largestText(s.largestChunk, "")));
        }
    }
    for (const auto& stream : in.record.streams) {
        const auto found = s.streams.find(stream.index);
        const auto size = Stored(stream.header.suggestedBufferSize);
        if (found == s.streams.end() || size == 0 || size >= found->second.largest) continue;
        if (const auto v = Recorded(
                in.record, StreamField("strh", stream.index, "dwSuggestedBufferSize"), size)) {
            out.push_back(Mismatch(Code::StreamBufferTooSmall, *v, found->second.largest,
                                   largestText(found->second.largest,
                                               "of stream " + std::to_string(stream.index) + " ")));
        }
    }
}

void AudioFormat(const CheckInput& in, const avi::StreamRecord& stream, std::vector<Finding>& out) {
    const auto& a = *stream.audio;
    const auto& h = stream.header;
    const auto field = [&](std::string_view name, std::int64_t holds) {
        return Recorded(in.record, StreamField("strf", stream.index, name), holds);
    };
    std::int64_t avg = -1;
    std::string why;
    const std::int64_t channels = Stored(a.channels), bits = Stored(a.bitsPerSample);
    if (a.formatTag == kWavePcm && channels > 0 && bits > 0) {
        // PCM blocks are one sample of every channel; the rate follows from them.
        const std::int64_t align = channels * ((bits + 7) / 8);
        if (Stored(a.blockAlign) != align) {
            if (const auto v = field("nBlockAlign", Stored(a.blockAlign))) {
                out.push_back(Mismatch(Code::AudioBlockAlignMismatch, *v, align,
                                       std::to_string(channels) + " channels of " +
                                           std::to_string(bits) + " bits make blocks of " +
                                           std::to_string(align) + " bytes"));
            }
        }
        avg = static_cast<std::int64_t>(Stored(a.samplesPerSec)) * align;
        why = std::to_string(Stored(a.samplesPerSec)) + " samples per second in blocks of " +
              std::to_string(align) + " bytes make " + std::to_string(avg) + " bytes per second";
    } else if (h.sampleSize > 0 && h.scale > 0 && h.rate > 0 &&
               (static_cast<std::int64_t>(h.rate) * h.sampleSize) % h.scale == 0) {
        // Fixed-size samples: the stream header's rate gives the byte rate exactly.
        avg = static_cast<std::int64_t>(h.rate) * h.sampleSize / h.scale;
        why = "the stream header's dwRate " + std::to_string(h.rate) + " / dwScale " +
              std::to_string(h.scale) + " in samples of " + std::to_string(h.sampleSize) +
              " bytes make " + std::to_string(avg) + " bytes per second";
    }
    if (avg >= 0 && Stored(a.avgBytesPerSec) != avg) {
        if (const auto v = field("nAvgBytesPerSec", Stored(a.avgBytesPerSec))) {
            out.push_back(Mismatch(Code::AudioByteRateMismatch, *v, avg, why));
        }
    }
}

bool NoCodec(std::string_view tag) {
    const auto upper = platform::AsciiUpper(std::string(tag));
    return upper == std::string(4, '\0') || upper == "    " || upper == "DIB " || upper == "RGB " ||
           upper == "RAW ";
}

void CodecTags(const CheckInput& in, std::vector<Finding>& out) {
    for (const auto& stream : in.record.streams) {
        if (!stream.IsVideo() || !stream.video) continue;
        const auto& handler = stream.header.fccHandler;
        const auto& compression = stream.video->compression;
        if (NoCodec(handler) || NoCodec(compression) ||
            platform::AsciiUpper(handler) == platform::AsciiUpper(compression)) {
            continue;
        }
        Finding note{Code::HandlerCompressionDiffer, stream.handlerField.offset, {}, {}, false};
        note.fields.push_back({stream.handlerField, 0, std::nullopt, handler});
        note.fields.push_back({stream.video->compressionField, 0, std::nullopt, compression});
        note.detail = "fccHandler '" + handler + "' and biCompression '" + compression +
                      "' name different codecs";
        out.push_back(std::move(note));
    }
}

}  // namespace

void CheckFormats(const CheckInput& in, std::vector<Finding>& out) {
    FrameTime(in, out);
    BufferSizes(in, out);
    for (const auto& stream : in.record.streams) {
        if (stream.IsAudio() && stream.audio) AudioFormat(in, stream, out);
    }
    CodecTags(in, out);
}

}  // namespace brelvo::repair
