// SPDX-License-Identifier: GPL-2.0-or-later
// The harnesses by name.
#include "fuzz/fuzz_targets.h"

namespace brelvo::fuzz {

const std::vector<FuzzTarget>& FuzzTargets() {
    static const std::vector<FuzzTarget> targets = {
        {"avi_load", FuzzAviLoad}, {"audio_walk", FuzzAudioWalk}, {"wav_reader", FuzzWavReader}};
    return targets;
}

}  // namespace brelvo::fuzz
