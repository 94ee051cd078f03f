// SPDX-License-Identifier: GPL-2.0-or-later
// The libFuzzer entry of one harness; BRELVO_FUZZ_TARGET names its body.
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A broken invariant or an unexpected exception escapes: libFuzzer reports it as a crash.
    brelvo::fuzz::BRELVO_FUZZ_TARGET(std::as_bytes(std::span(data, size)));
    return 0;
}
