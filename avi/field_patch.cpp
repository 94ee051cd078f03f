// SPDX-License-Identifier: GPL-2.0-or-later
// The patch primitive.
#include "avi/field_patch.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/io_error.h"
#include "platform/little_endian.h"

namespace brelvo::avi {

void PatchField(platform::RandomAccessFile& file, const FieldRef& field,
                std::span<const std::byte> bytes) {
    if (!field.Recorded()) {
        throw PatchRefused("the field " + field.name + " was not recorded while reading");
    }
    if (bytes.size() != static_cast<std::size_t>(field.width)) {
        throw PatchRefused("the field " + field.name + " is " + std::to_string(field.width) +
                           " bytes wide, not " + std::to_string(bytes.size()));
    }
    if (field.offset + field.width > file.Length()) {
        throw PatchRefused("the field " + field.name + " ends past the end of the file");
    }
    file.WriteAt(field.offset, bytes);
    std::vector<std::byte> back(bytes.size());
    if (file.ReadAt(field.offset, back) != back.size() ||
        !std::equal(back.begin(), back.end(), bytes.begin())) {
        throw platform::IoError(platform::FileOp::Write, file.Path(), "the bytes read back differ");
    }
}

void PatchInt32(platform::RandomAccessFile& file, const FieldRef& field, std::int32_t value) {
    std::array<std::byte, 4> bytes{};
    platform::WriteI32(bytes, 0, value);
    PatchField(file, field, bytes);
}

}  // namespace brelvo::avi
