// SPDX-License-Identifier: GPL-2.0-or-later
// Synthetic movies for the audio tool tests: any streams, any movi contents, several RIFF parts.
#pragma once

#include <string>
#include <vector>

#include "tests/support/memory_file.h"
#include "tests/support/riff_builder.h"

namespace brelvo::testing {

struct TestStream {
    std::string type = "auds";
    Bytes format = WaveFormatData(1, 2, 4000, 16);  // 16000 bytes per second
    std::uint32_t scale = 4;
    std::uint32_t rate = 16000;
    std::uint32_t sampleSize = 4;
};

// RIFF "AVI " with hdrl (avih + one strl per stream) and the given movi children; further
// movi lists become RIFF "AVIX" parts.
Bytes MovieOf(const std::vector<TestStream>& streams, const std::vector<std::vector<Bytes>>& movis);

// A video stream and a sound stream as stream 1.
std::vector<TestStream> VideoAndSound(Bytes soundFormat = WaveFormatData(1, 2, 4000, 16));

// Bytes 0, 1, 2, ... of the given length, offset by a seed so chunks differ.
Bytes Pattern(std::size_t length, int seed);

platform::MemoryFile MemoryOf(const Bytes& bytes, bool allowGrowth = false);

}  // namespace brelvo::testing
