// SPDX-License-Identifier: GPL-2.0-or-later
// Field lookup and the checks made before an edit writes.
#include "editing/field_edit.h"

#include <algorithm>
#include <array>
#include <vector>

#include "avi/field_patch.h"
#include "platform/little_endian.h"

namespace brelvo::editing {

avi::FieldRef RecordedField(const avi::HeaderRecord& record, std::int64_t offset, int width,
                            std::string_view missing) {
    if (offset > 0) {
        const auto found = std::find_if(
            record.fields.begin(), record.fields.end(),
            [&](const avi::FieldRef& f) { return f.offset == offset && f.width == width; });
        if (found != record.fields.end()) return *found;
    }
    throw avi::PatchRefused(std::string(missing));
}

std::string ReadFieldBytes(platform::RandomAccessFile& file, const avi::FieldRef& field) {
    std::vector<std::byte> bytes(static_cast<std::size_t>(field.width));
    file.ReadExactAt(field.offset, bytes);
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::int32_t ReadFieldInt32(platform::RandomAccessFile& file, const avi::FieldRef& field) {
    std::array<std::byte, 4> bytes{};
    file.ReadExactAt(field.offset, bytes);
    return platform::ReadI32(bytes, 0);
}

void RequireLoadedLength(platform::RandomAccessFile& file, std::int64_t loadedLength) {
    const auto length = file.Length();
    if (loadedLength >= 0 && length != loadedLength) {
        throw avi::PatchRefused("the file has changed since it was loaded (" +
                                std::to_string(loadedLength) + " bytes then, " +
                                std::to_string(length) + " now)");
    }
}

void RequireWritable(platform::RandomAccessFile& file, const avi::HeaderRecord& record,
                     std::initializer_list<const avi::FieldRef*> fields) {
    RequireLoadedLength(file, record.loadedLength);
    const auto length = file.Length();
    for (const auto* field : fields) {
        if (!field->Recorded()) {
            throw avi::PatchRefused("the field " + field->name + " was not recorded while reading");
        }
        if (field->offset + field->width > length) {
            throw avi::PatchRefused("the field " + field->name + " ends past the end of the file");
        }
    }
}

}  // namespace brelvo::editing
