// SPDX-License-Identifier: GPL-2.0-or-later
// The one primitive through which every edit writes into a movie: it writes a recorded field,
// reads the bytes back and compares them. It never writes at an unrecorded offset (0) or past
// the end of the file, so no file is ever lengthened.
#pragma once

#include <cstddef>
#include <span>
#include <stdexcept>

#include "avi/field_ref.h"
#include "platform/random_access_file.h"

namespace brelvo::avi {

// Thrown when a patch is refused before anything is written.
class PatchRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Writes bytes (bytes.size() must equal field.width) at field.offset. Throws PatchRefused
// when the field is unrecorded or would end past the end of the file; platform::IoError when
// the write fails or the bytes read back differ ("the bytes read back differ").
void PatchField(platform::RandomAccessFile& file, const FieldRef& field,
                std::span<const std::byte> bytes);
void PatchInt32(platform::RandomAccessFile& file, const FieldRef& field, std::int32_t value);

}  // namespace brelvo::avi
