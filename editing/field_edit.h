// SPDX-License-Identifier: GPL-2.0-or-later
// What every header edit shares: the choice between writing and only showing what would be
// written, the lookup of a field that decoding recorded, and the checks made before the first
// byte is written, so that an edit of two fields never stops half-way through the file.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "avi/field_ref.h"
#include "avi/header_record.h"
#include "platform/random_access_file.h"

namespace brelvo::editing {

enum class WriteMode { Write, DryRun };

// The field decoding recorded at this offset with this width. Throws avi::PatchRefused with
// `missing` as the reason when there is none (offset 0 included), so no edit ever writes at an
// offset of its own making.
avi::FieldRef RecordedField(const avi::HeaderRecord& record, std::int64_t offset, int width,
                            std::string_view missing);

// The field's bytes as they now stand in the file. Throws platform::IoError.
std::string ReadFieldBytes(platform::RandomAccessFile& file, const avi::FieldRef& field);
std::int32_t ReadFieldInt32(platform::RandomAccessFile& file, const avi::FieldRef& field);

// Throws avi::PatchRefused when the file no longer has the length it had when it was loaded
// (another file under the same name); a negative loadedLength means unknown and passes.
void RequireLoadedLength(platform::RandomAccessFile& file, std::int64_t loadedLength);

// Throws avi::PatchRefused when the file is no longer the one decoded (another length), or
// when any field is unrecorded or ends past the end of the file.
void RequireWritable(platform::RandomAccessFile& file, const avi::HeaderRecord& record,
                     std::initializer_list<const avi::FieldRef*> fields);

}  // namespace brelvo::editing
