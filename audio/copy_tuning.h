// SPDX-License-Identifier: GPL-2.0-or-later
// Block sizes of the audio tools' reads and writes. Every buffer has one of these fixed sizes,
// whatever the movie's chunks claim; tests shrink them to put chunks across block edges.
#pragma once

#include <cstddef>

namespace brelvo::audio {

// Header reads fetch little: between two headers there is mostly a payload that is either
// stepped over (video) or read on its own (sound), so a larger block would only be copied in
// vain. Small chunks packed close together still share one read.
inline constexpr std::size_t kDefaultHeaderBlock = 256;

struct CopyTuning {
    std::size_t headerBlock = kDefaultHeaderBlock;  // chunk header reads
    std::size_t copyBlock = 1024 * 1024;            // sample bytes read or written at once
};

}  // namespace brelvo::audio
