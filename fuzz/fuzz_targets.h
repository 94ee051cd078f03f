// SPDX-License-Identifier: GPL-2.0-or-later
// The bodies of the libFuzzer harnesses, runnable without a fuzzer: each feeds one input to
// the core over in-memory files and checks what must hold for any input. The regression test
// replays every saved input through the same bodies.
#pragma once

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace brelvo::fuzz {

// Something that must hold for every input did not: a fault, whatever the input.
class InvariantBroken : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

// The input as a movie: chunk walk, decoding, load-time normalisation, the load display, the
// key-frame count, every header edit, and the diagnosis with its mending.
void FuzzAviLoad(std::span<const std::byte> data);
// The input as a movie: its sound track extracted to WAV and written back.
void FuzzAudioWalk(std::span<const std::byte> data);
// The input as a WAV file: its samples located and written into a small movie.
void FuzzWavReader(std::span<const std::byte> data);

struct FuzzTarget {
    std::string_view
        name;  // the harness and its folders: fuzz/corpus/<name>, tests/regressions/<name>
    void (*run)(std::span<const std::byte>);
};
const std::vector<FuzzTarget>& FuzzTargets();

}  // namespace brelvo::fuzz
