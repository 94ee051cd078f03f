// SPDX-License-Identifier: GPL-2.0-or-later
// The one reader of header fields: a block of header bytes read at a known offset, from which
// every field is taken by name, so that each field's offset and width are recorded where it
// was read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "avi/field_ref.h"
#include "platform/random_access_file.h"

namespace brelvo::avi {

class FieldBlock {
  public:
    // Reads `width` bytes at `offset`; throws DecodeError naming `what` when the file ends
    // first. Fields are named `prefix` + "." + field name and appended to `sink`.
    FieldBlock(platform::RandomAccessFile& file, std::int64_t offset, std::size_t width,
               std::string prefix, std::vector<FieldRef>& sink, std::string_view what);

    std::int32_t Int32(std::string_view name, std::size_t at, FieldRef* ref = nullptr);
    std::int16_t Int16(std::string_view name, std::size_t at, FieldRef* ref = nullptr);
    std::string FourCC(std::string_view name, std::size_t at, FieldRef* ref = nullptr);

  private:
    FieldRef Record(std::string_view name, std::size_t at, int width);

    std::vector<std::byte> bytes_;
    std::int64_t offset_;
    std::string prefix_;
    std::vector<FieldRef>& sink_;
};

}  // namespace brelvo::avi
