// SPDX-License-Identifier: GPL-2.0-or-later
// Queries over the decoded headers.
#include "avi/header_record.h"

#include <algorithm>

#include "avi/chunk_ids.h"
#include "platform/path_text.h"

namespace brelvo::avi {

bool StreamRecord::IsVideo() const {
    const auto type = platform::AsciiUpper(header.fccType);
    return type == kTypeVideo || type == kTypeInterleavedDv;
}
bool StreamRecord::IsInterleavedDv() const {
    return platform::AsciiUpper(header.fccType) == kTypeInterleavedDv;
}
bool StreamRecord::IsAudio() const {
    return platform::AsciiUpper(header.fccType) == kTypeAudio;
}

const MainHeader* HeaderRecord::LastMainHeader() const {
    return mainHeaders.empty() ? nullptr : &mainHeaders.back();
}

const StreamRecord* HeaderRecord::VideoStream() const {
    const auto found = std::find_if(streams.rbegin(), streams.rend(),
                                    [](const StreamRecord& s) { return s.IsVideo(); });
    return found == streams.rend() ? nullptr : &*found;
}

int HeaderRecord::VideoStreamCount() const {
    return static_cast<int>(std::count_if(streams.begin(), streams.end(),
                                          [](const StreamRecord& s) { return s.IsVideo(); }));
}

const StreamRecord* HeaderRecord::AudioStream() const {
    const auto found = std::find_if(streams.rbegin(), streams.rend(),
                                    [](const StreamRecord& s) { return s.IsAudio(); });
    return found == streams.rend() ? nullptr : &*found;
}

const FieldRef* HeaderRecord::FieldAt(std::int64_t offset, int width) const {
    if (offset <= 0 || width <= 0) return nullptr;
    const auto found = std::find_if(fields.begin(), fields.end(), [&](const FieldRef& f) {
        return f.offset == offset && f.width == width;
    });
    return found == fields.end() ? nullptr : &*found;
}

}  // namespace brelvo::avi
