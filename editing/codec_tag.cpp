// SPDX-License-Identifier: GPL-2.0-or-later
// Codec tag editing.
#include "editing/codec_tag.h"

#include <algorithm>

#include "avi/field_patch.h"
#include "platform/ansi_codec.h"
#include "platform/path_text.h"

namespace brelvo::editing {
namespace {

constexpr int kTagWidth = 4;

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string PadToTag(std::string_view text) {
    return (std::string(text) + std::string(kTagWidth, ' ')).substr(0, kTagWidth);
}

std::int64_t TargetOffset(const avi::HeaderRecord& record, CodecTarget target) {
    return target == CodecTarget::Handler ? record.videoHandlerOffset
                                          : record.videoCompressionOffset;
}

}  // namespace

std::string CodecTagOfComboText(std::string_view comboText) {
    const std::string ansi = platform::Utf8ToAnsi(comboText);
    return platform::AsciiUpper(std::string_view(ansi).substr(0, kTagWidth));
}

std::string WindowCodecBytes(std::string_view currentTag) {
    if (currentTag.empty()) return {};
    return PadToTag(AsciiLower(currentTag));
}

std::string TypedCodecBytes(std::string_view utf8Code) {
    if (utf8Code.empty()) throw avi::PatchRefused("an empty codec code cannot be written");
    if (platform::Utf8Length(utf8Code) > kTagWidth) {
        throw avi::PatchRefused("the codec code '" + std::string(utf8Code) +
                                "' is longer than four characters");
    }
    if (!IsPrintableAscii(utf8Code)) throw avi::PatchRefused(NotAsciiReason(utf8Code));
    return PadToTag(std::string(utf8Code));
}

bool IsPrintableAscii(std::string_view code) {
    return std::all_of(code.begin(), code.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

std::string NotAsciiReason(std::string_view code) {
    return "the codec code '" + std::string(code) +
           "' is not printable ASCII: a FourCC holds the characters space to '~' only";
}

void AddCodecTag(avi::HeaderEdit& edit, CodecTarget target, std::string_view fourBytes) {
    auto& record = edit.record;
    const avi::FieldRef* field = record.FieldAt(TargetOffset(record, target), kTagWidth);
    if (field == nullptr) {
        throw avi::PatchRefused(target == CodecTarget::Handler
                                    ? "the movie has no video stream header, so there is no "
                                      "handler code to change"
                                    : "the movie has no video format, so there is no "
                                      "compression code to change");
    }
    if (fourBytes.size() != kTagWidth) {
        throw avi::PatchRefused("a codec code is four bytes, not " +
                                std::to_string(fourBytes.size()));
    }
    edit.plan.Add(*field, fourBytes);
    for (auto& s : record.streams) {
        if (s.handlerField == *field) s.header.fccHandler = fourBytes;
        if (s.video && s.video->compressionField == *field) s.video->compression = fourBytes;
    }
    (target == CodecTarget::Handler ? record.videoHandler : record.videoCompression) =
        platform::AsciiUpper(fourBytes);
}

}  // namespace brelvo::editing
