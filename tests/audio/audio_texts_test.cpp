// SPDX-License-Identifier: GPL-2.0-or-later
// The texts the faces show for the audio tools: captions and the WAV name check.
#include <gtest/gtest.h>

#include "audio/audio_progress.h"

namespace brelvo::testing {
namespace {

TEST(AudioTexts, ProgressCaptions) {
    EXPECT_EQ(audio::ExtractionCaption(42, 375.0), "42% - 0375.00 KBsec");
    EXPECT_EQ(audio::ExtractionCaption(8, 123456.789), "8% - 123456.79 KBsec");
    EXPECT_EQ(audio::ReintegrationCaption(37), "37%");

    audio::AudioProgress progress{50, 1024 * 1024, 2 * 1024 * 1024, 0, 2.0};
    EXPECT_EQ(audio::KBPerSecond(progress), 512.0);
    progress.seconds = 0.0;
    EXPECT_EQ(audio::KBPerSecond(progress), std::nullopt);  // the caption stays as it was
}

TEST(AudioTexts, WavNameCheck) {
    for (const char* name : {"sound.wav", "a.Wav"}) EXPECT_TRUE(audio::IsWavFileName(name)) << name;
    for (const char* name : {"sound.mp3", "wav", "sound.wav "})
        EXPECT_FALSE(audio::IsWavFileName(name)) << name;
}

}  // namespace
}  // namespace brelvo::testing
