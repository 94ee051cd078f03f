// SPDX-License-Identifier: GPL-2.0-or-later
// Building the JSON of `brelvo-cli info --json`.
#include "cli/info_json.h"

#include "avi/chunk_ids.h"
#include "avi/name_tables.h"
#include "cli/terminal_text.h"
#include "platform/ansi_codec.h"

namespace brelvo::cli {
namespace {

using Json = nlohmann::ordered_json;

// Offsets the reader did not record are null, never a made-up 0.
Json OffsetOf(const avi::FieldRef& field) {
    return field.Recorded() ? Json(field.offset) : Json(nullptr);
}

std::string Ansi(std::string_view bytes) {
    return platform::AnsiToUtf8(bytes);
}

Json MainHeaderJson(const avi::HeaderRecord& record) {
    const avi::MainHeader* avih = record.LastMainHeader();
    if (avih == nullptr) return nullptr;
    return Json{{"microSecPerFrame", avih->microSecPerFrame},
                {"maxBytesPerSec", avih->maxBytesPerSec},
                {"totalFrames", avih->totalFrames},
                {"streams", avih->streams},
                {"width", avih->width},
                {"height", avih->height}};
}

// The frame counts a script needs to tell apart: the avih's (the first RIFF part of a large
// movie), the dmlh's (every part), and the whole movie's as shown, with where it came from.
Json FrameCountsJson(const avi::HeaderRecord& record) {
    const avi::MainHeader* avih = record.LastMainHeader();
    const char* from = "avih";
    switch (record.totalFramesSource) {
        case avi::FrameCountSource::MainHeader:
            break;
        case avi::FrameCountSource::OpenDml:
            from = "dmlh";
            break;
        case avi::FrameCountSource::StreamChunks:
            from = "stream chunks";
            break;
    }
    return Json{
        {"avihTotalFrames", avih ? Json(avih->totalFrames) : Json(nullptr)},
        {"dmlhTotalFrames", record.dmlhTotalFrames ? Json(*record.dmlhTotalFrames) : Json(nullptr)},
        {"totalFrames", record.totalFrames},
        {"totalFramesFrom", from}};
}

// The wave format name without the " - " that joins it to the tag on the window.
std::string FormatName(std::uint16_t tag) {
    std::string_view name = avi::WaveFormatDescription(tag);
    if (name.starts_with(" - ")) name.remove_prefix(3);
    return std::string(name);
}

Json StreamJson(const avi::StreamRecord& stream) {
    const avi::StreamHeader& h = stream.header;
    Json json{{"index", stream.index},
              {"type", Ansi(h.fccType)},
              {"handler", Ansi(h.fccHandler)},
              {"flags", h.flags},
              {"scale", h.scale},
              {"rate", h.rate},
              {"start", h.start},
              {"length", h.length},
              {"quality", h.quality},
              {"sampleSize", h.sampleSize},
              {"handlerOffset", OffsetOf(stream.handlerField)},
              {"scaleOffset", OffsetOf(stream.scaleField)},
              {"rateOffset", OffsetOf(stream.rateField)},
              {"startOffset", OffsetOf(stream.startField)}};
    if (stream.IsVideo()) {
        const auto& v = stream.video;
        json["bitCount"] = v ? Json(v->bitCount) : Json(nullptr);
        json["compression"] = v ? Json(Ansi(v->compression)) : Json(nullptr);
        json["compressionOffset"] = v ? OffsetOf(v->compressionField) : Json(nullptr);
    } else if (stream.IsAudio()) {
        const auto& a = stream.audio;
        json["formatTag"] = a ? Json(a->formatTag) : Json(nullptr);
        json["formatName"] = a ? Json(FormatName(a->formatTag)) : Json(nullptr);
        json["channels"] = a ? Json(a->channels) : Json(nullptr);
        json["samplesPerSec"] = a ? Json(a->samplesPerSec) : Json(nullptr);
        json["avgBytesPerSec"] = a ? Json(a->avgBytesPerSec) : Json(nullptr);
        json["blockAlign"] = a ? Json(a->blockAlign) : Json(nullptr);
        json["bitsPerSample"] = a ? Json(a->bitsPerSample) : Json(nullptr);
    }
    return json;
}

}  // namespace

std::optional<std::string> DisplayNameText(const avi::HeaderRecord& record) {
    std::optional<std::string> name;
    for (const auto& item : record.textItems) {
        if (item.id != avi::kDisplayNameId) continue;
        std::string_view bytes = item.bytes;
        bytes.remove_prefix(std::min<std::size_t>(4, bytes.size()));
        name = Ansi(WithoutTrailingNuls(bytes));
    }
    return name;
}

nlohmann::ordered_json InfoJson(const LoadedMovie& movie) {
    Json streams = Json::array();
    for (const auto& stream : movie.record.streams) streams.push_back(StreamJson(stream));

    Json info = Json::array();
    for (const auto& item : movie.record.textItems) {
        if (item.id == avi::kDisplayNameId) continue;
        info.push_back({{"id", item.id},
                        {"offset", item.DataOffset()},
                        {"size", item.size},
                        {"text", Ansi(WithoutTrailingNuls(item.bytes))}});
    }

    Json chunks = Json::array();
    for (const auto& row : movie.chunkMap) {
        // "position" is the chunk map's own 1-based count; the offset beside it is 0-based, as
        // every other offset here.
        chunks.push_back({{"id", row.id},
                          {"position", row.position},
                          {"idOffset", row.position - 5},
                          {"size", row.size}});
    }

    const auto displayName = DisplayNameText(movie.record);
    return Json{{"path", movie.path},
                {"fileSize", movie.fileSize},
                {"mainHeader", MainHeaderJson(movie.record)},
                {"frameCounts", FrameCountsJson(movie.record)},
                {"streams", std::move(streams)},
                {"info", std::move(info)},
                {"displayName", displayName ? Json(*displayName) : Json(nullptr)},
                {"chunks", std::move(chunks)}};
}

}  // namespace brelvo::cli
