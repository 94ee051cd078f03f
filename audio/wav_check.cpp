// SPDX-License-Identifier: GPL-2.0-or-later
// Comparing a WAV file with the movie's sound track.
#include "audio/wav_check.h"

#include <vector>

#include "audio/wav_samples.h"

namespace brelvo::audio {

WavComparison CompareWavWithMovie(const std::string& moviePath, const AudioTrack& track,
                                  const std::string& wavPath) {
    auto wav = OpenExistingWav(wavPath);
    const WavSamples samples = LocateWavSamples(*wav);
    auto movie = platform::OpenFile(moviePath, platform::OpenMode::Read);
    WavComparison comparison;
    comparison.wavHasFormat = samples.formatChunk.has_value();
    comparison.formatDiffers =
        !samples.formatChunk || *samples.formatChunk != ReadFormatChunk(*movie, track);
    comparison.wavBytes = samples.dataSize;
    comparison.movieChunks = SurveyAudioChunks(
        *movie, track.streamNumber,
        WavSampleRange{*wav, samples.dataOffset, samples.dataOffset + samples.dataSize});
    comparison.movieBytes = comparison.movieChunks.sampleBytes;
    return comparison;
}

std::optional<std::string> MismatchQuestion(const WavComparison& c) {
    std::vector<std::string> parts;
    if (!c.wavHasFormat) {
        parts.push_back("it has no format chunk to compare with the movie's sound format");
    } else if (c.formatDiffers) {
        parts.push_back("its format chunk differs from the movie's sound format");
    }
    if (c.wavBytes < c.movieBytes) {
        parts.push_back("it holds " + std::to_string(c.movieBytes - c.wavBytes) +
                        " sample bytes fewer than the movie's audio chunks, whose rest would be "
                        "filled with zero bytes");
    } else if (c.wavBytes > c.movieBytes) {
        parts.push_back("it holds " + std::to_string(c.wavBytes - c.movieBytes) +
                        " sample bytes more than the movie's audio chunks, which would be left "
                        "out");
    }
    if (parts.empty()) return std::nullopt;
    std::string sentence = "The WAV file does not match the movie's sound track: " + parts[0];
    for (std::size_t k = 1; k < parts.size(); ++k) sentence += " and " + parts[k];
    return sentence + "; writing it back cannot be undone.";
}

}  // namespace brelvo::audio
