// Codec tag editing: the video stream header's fccHandler ("Apply Header", Combo1) and the
// video format's biCompression ("Apply Stream", Combo2), four bytes each, rewritten in place.
#pragma once

#include <string>
#include <string_view>

#include "avi/field_ref.h"
#include "avi/header_record.h"
#include "editing/field_edit.h"
#include "platform/random_access_file.h"

namespace brelvo::editing {

enum class CodecTarget { Handler, Compression };

// The current tag a combo text stands for: its first four characters (all of them when
// shorter), upper-cased. Combo texts are UTF-8; the tag is in the file's code page.
std::string CodecTagOfComboText(std::string_view comboText);

// The four bytes the window writes for a current tag: lower case, padded with blanks. Empty
// when the tag is empty (then nothing is written).
std::string WindowCodecBytes(std::string_view currentTag);

// The four bytes brelvo-cli writes for a code typed by the user: as given, padded with
// blanks. Throws avi::PatchRefused for an empty code, one longer than four characters, or
// one holding anything but printable ASCII (0x20 to 0x7E).
std::string TypedCodecBytes(std::string_view utf8Code);

// A FourCC is printable ASCII (0x20 to 0x7E): any other character would be written as a
// stand-in such as "?" and name a codec nobody asked for.
bool IsPrintableAscii(std::string_view code);
std::string NotAsciiReason(std::string_view code);

struct CodecTagChange {
    avi::FieldRef field;
    std::string oldBytes;  // the four bytes that stood in the file
    std::string newBytes;
    bool written = false;
};

// Checks the field, reads its old bytes and (unless a dry run) patches the four bytes.
// Throws avi::PatchRefused (nothing written) or platform::IoError.
CodecTagChange ApplyCodecTag(platform::RandomAccessFile& file, const avi::HeaderRecord& record,
                             CodecTarget target, std::string_view fourBytes,
                             WriteMode mode = WriteMode::Write);
// The same on the movie at `path`, opened for this edit alone.
CodecTagChange ApplyCodecTag(const std::string& path, const avi::HeaderRecord& record,
                             CodecTarget target, std::string_view fourBytes,
                             WriteMode mode = WriteMode::Write);

}  // namespace brelvo::editing
