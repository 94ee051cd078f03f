// SPDX-License-Identifier: GPL-2.0-or-later
// A header field as decoding found it: its name, 0-based offset and width in bytes. Every
// patch takes its offset from one of these, never from arithmetic of its own.
#pragma once

#include <cstdint>
#include <string>

namespace brelvo::avi {

struct FieldRef {
    std::string name;  // e.g. "strh[0].dwRate", "avih.dwMicroSecPerFrame"
    std::int64_t offset = 0;
    int width = 0;  // 0 = not recorded

    bool Recorded() const { return offset >= 0 && width > 0; }
    bool operator==(const FieldRef&) const = default;
};

}  // namespace brelvo::avi
