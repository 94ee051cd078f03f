// SPDX-License-Identifier: GPL-2.0-or-later
// The patch primitive.
#include "avi/field_patch.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/io_error.h"

namespace brelvo::avi {

void CheckPatch(const FieldRef& field, std::span<const std::byte> bytes, std::int64_t fileLength) {
    if (!field.Recorded()) {
        throw PatchRefused("the field " + field.name + " was not recorded while reading");
    }
    if (bytes.size() != static_cast<std::size_t>(field.width)) {
        throw PatchRefused("the field " + field.name + " is " + std::to_string(field.width) +
                           " bytes wide, not " + std::to_string(bytes.size()));
    }
    if (field.offset + field.width > fileLength) {
        throw PatchRefused("the field " + field.name + " ends past the end of the file");
    }
}

void PatchField(platform::RandomAccessFile& file, const FieldRef& field,
                std::span<const std::byte> bytes, std::int64_t fileLength) {
    CheckPatch(field, bytes, fileLength);
    file.WriteAt(field.offset, bytes);
    std::vector<std::byte> back(bytes.size());
    if (file.ReadAt(field.offset, back) != back.size() ||
        !std::equal(back.begin(), back.end(), bytes.begin())) {
        throw platform::IoError(platform::FileOp::Write, file.Path(), "the bytes read back differ");
    }
}

}  // namespace brelvo::avi
