// SPDX-License-Identifier: GPL-2.0-or-later
// Byte-exact movies of the layouts that large, live, DV and multi-stream writers produce:
// OpenDML parts with super and standard indexes, sizes left unknown by a pipe writer, type-1
// DV, several video streams.
#pragma once

#include <vector>

#include "tests/support/riff_builder.h"

namespace brelvo::testing {

// RIFF "AVI " then RIFF "AVIX" parts, one movi list each holding its video chunks "00dc", a
// sound chunk "01wb" after each, and a standard index "ix00". avih counts the first part,
// dmlh (in "LIST odml") every part; the video strl carries an "indx" super index.
struct OdmlMovie {
    std::vector<int> framesPerPart = {4, 3, 3};
    int keyEvery = 3;      // frames 0, 3, 6, ... of the whole movie are key frames
    bool withIdx1 = true;  // in the first part, of its chunks only
    bool withSuperIndex = true;
    enum class Damage {
        None,
        LastEntryBeyondFile,  // the super index's last entry points past the end
        LastEntryAtAFrame,    // ... at a video chunk, not an index
        LastIndexOverclaims,  // the last standard index claims more entries than it holds
    } damage = Damage::None;
};
Bytes MakeOdmlMovie(const OdmlMovie& spec);

// As FFmpeg writes to a pipe: RIFF and movi sizes 0xFFFFFFFF, every frame count 0, no index;
// `frames` video chunks each followed by a sound chunk of 4 * (k + 1) bytes.
Bytes MakeStreamedMovie(int frames);

// Type-1 DV: one "iavs" stream (handler dvsd, a 32-byte DVINFO format), chunks "00__", every
// one a key frame in idx1.
Bytes MakeTypeOneDvMovie(int frames);

// Three video streams of 50, 30 and 20 frames (avih says 50); the last has key frames at its
// frames 0 and 10.
Bytes MakeThreeVideoStreamMovie();

}  // namespace brelvo::testing
