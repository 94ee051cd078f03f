// SPDX-License-Identifier: GPL-2.0-or-later
// Codec tag editing: the video stream header's fccHandler ("Apply Header", Combo1) and the
// video format's biCompression ("Apply Stream", Combo2), four bytes each, rewritten in place.
#pragma once

#include <string>
#include <string_view>

#include "avi/header_record.h"
#include "avi/write_plan.h"

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

// Adds to the edit the four bytes of the target field; the record's current tag and the
// stream's field follow. Throws avi::PatchRefused when decoding recorded no such field or the
// bytes are not four.
void AddCodecTag(avi::HeaderEdit& edit, CodecTarget target, std::string_view fourBytes);

}  // namespace brelvo::editing
