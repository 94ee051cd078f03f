// SPDX-License-Identifier: GPL-2.0-or-later
// The field reader.
#include "avi/field_reader.h"

#include "avi/decode_headers.h"
#include "platform/little_endian.h"

namespace brelvo::avi {

FieldBlock::FieldBlock(platform::RandomAccessFile& file, std::int64_t offset, std::size_t width,
                       std::string prefix, std::vector<FieldRef>& sink, std::string_view what)
    : bytes_(file.ReadVectorAt(offset, width)),
      offset_(offset),
      prefix_(std::move(prefix)),
      sink_(sink) {
    if (bytes_.size() != width) {
        throw DecodeError(std::string(what) + " at offset " + std::to_string(offset) +
                          " is cut short by the end of the file");
    }
}

FieldRef FieldBlock::Record(std::string_view name, std::size_t at, int width) {
    FieldRef ref{prefix_ + "." + std::string(name), offset_ + static_cast<std::int64_t>(at), width};
    sink_.push_back(ref);
    return ref;
}

std::int32_t FieldBlock::Int32(std::string_view name, std::size_t at, FieldRef* ref) {
    const auto field = Record(name, at, 4);
    if (ref != nullptr) *ref = field;
    return platform::ReadI32(bytes_, at);
}

std::int16_t FieldBlock::Int16(std::string_view name, std::size_t at, FieldRef* ref) {
    const auto field = Record(name, at, 2);
    if (ref != nullptr) *ref = field;
    return platform::ReadI16(bytes_, at);
}

std::string FieldBlock::FourCC(std::string_view name, std::size_t at, FieldRef* ref) {
    const auto field = Record(name, at, 4);
    if (ref != nullptr) *ref = field;
    return platform::ReadFourCC(bytes_, at);
}

}  // namespace brelvo::avi
