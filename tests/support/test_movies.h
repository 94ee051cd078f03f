// SPDX-License-Identifier: GPL-2.0-or-later
// Byte-exact test movies: any streams and movi contents, the simple movie most tests edit,
// and the layouts that large, live, DV and multi-stream writers produce.
#pragma once

#include <optional>
#include <vector>

#include "tests/support/riff_builder.h"

namespace brelvo::testing {

// One stream: its header, its format and a chunk after the format (an OpenDML super index).
struct TestStream {
    StrhFields strh = {};
    Bytes format = {};
    Bytes extra = {};
};
// DIV3 video at 25 fps.
TestStream VideoStream(std::uint32_t length = 25);
// 16-bit stereo PCM in sample frames of 4 bytes, at 16000 bytes a second unless said.
TestStream SoundStream(std::uint32_t length = 25, std::uint32_t rate = 16000,
                       Bytes format = WaveFormatData(1, 2, 4000, 16));

struct MovieSpec {
    AvihFields avih = {};  // its stream count is the number of streams
    std::vector<TestStream> streams = {VideoStream(), SoundStream()};
    std::vector<Bytes> hdrlExtra = {};   // after the strl lists
    std::vector<Bytes> beforeMovi = {};  // after hdrl: INFO, JUNK, DISP ...
    // The first movi list is in RIFF "AVI ", every further one in its own RIFF "AVIX".
    std::vector<std::vector<Bytes>> movis = {{}};
    std::optional<Bytes> idx1 = Bytes{};  // after the first movi list
};
Bytes MakeMovie(const MovieSpec& spec);

// idx1 entries for the chunks of a movi list, with their offsets and sizes (or 0 and 0, which
// point outside the movi list): every `keyEvery`-th chunk of a video stream ("##dc", "##db")
// is a key frame (0: its first only), every other chunk always.
Bytes Idx1For(const std::vector<Bytes>& movi, int keyEvery = 0, bool withOffsets = true);

// hdrl (avih, video strl, audio strl: PCM at 44100 Hz), INFO (INAM "Test"), movi with
// `frames` video chunks "00dc" each followed by an audio chunk "01wb", idx1.
struct SimpleMovie {
    int frames = 5;
    std::size_t videoChunkSize = 100;
    std::size_t audioChunkSize = 64;
    bool withAudio = true;
    bool withIndex = true;
    bool withInfo = true;
    int keyEvery = 0;
    std::uint32_t videoScale = 1;
    std::uint32_t videoRate = 25;
    std::uint32_t audioStart = 0;
    std::uint32_t audioRate = 176400;
    std::vector<Bytes> beforeMovi = {};  // after INFO
};
Bytes MakeSimpleMovie(const SimpleMovie& spec);

// Video at dwScale 1 / dwRate 25 (loading rescales it), PCM sound as stream 1 with a start of
// 1002, a JUNK chunk, INFO items INAM and IART, a display name, four frames with their sound
// and an index: something for every writer to write.
Bytes EditableMovie();

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
// one a key frame in an idx1 whose entries give no offsets.
Bytes MakeTypeOneDvMovie(int frames);

// Three video streams of 50, 30 and 20 frames (avih says 50); the last has key frames at its
// frames 0 and 10. Its idx1 entries give no offsets.
Bytes MakeThreeVideoStreamMovie();

}  // namespace brelvo::testing
