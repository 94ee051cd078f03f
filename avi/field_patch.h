// SPDX-License-Identifier: GPL-2.0-or-later
// The primitive through which every write plan (avi/write_plan.h) writes into a movie: it
// writes a recorded field, reads the bytes back and compares them. It never writes an
// unrecorded field or past the end of the file, so no file is ever lengthened.
#pragma once

#include <cstddef>
#include <cstdint>
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

// Throws PatchRefused when the field is unrecorded, the bytes are not its width, or it would
// end past `fileLength`.
void CheckPatch(const FieldRef& field, std::span<const std::byte> bytes, std::int64_t fileLength);

// Checks as above with the file's length as the caller found it, writes the bytes at
// field.offset, reads them back and compares. Throws platform::IoError when the write fails
// or the bytes read back differ ("the bytes read back differ").
void PatchField(platform::RandomAccessFile& file, const FieldRef& field,
                std::span<const std::byte> bytes, std::int64_t fileLength);

}  // namespace brelvo::avi
