// SPDX-License-Identifier: GPL-2.0-or-later
// Comparing a WAV file with the movie's sound track.
#include "audio/wav_check.h"

#include <span>
#include <vector>

#include "audio/format_comparison.h"
#include "audio/wav_samples.h"
#include "platform/number_text.h"

namespace brelvo::audio {
namespace {

std::string Seconds(double seconds) {
    return platform::FormatGeneral(seconds) + " seconds";
}

std::optional<std::string> MismatchSentence(const WavComparison& c) {
    std::vector<std::string> parts;
    if (!c.wavHasFormat) {
        parts.push_back("it has no format chunk to compare with the movie's sound format");
    } else if (!c.formatDifferences.empty()) {
        std::string fields = c.formatDifferences[0];
        for (std::size_t k = 1; k < c.formatDifferences.size(); ++k)
            fields += "; " + c.formatDifferences[k];
        parts.push_back("its format differs (" + fields + ")");
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
    return sentence + ".";
}

std::optional<std::string> JinkSentence(const WavComparison& c) {
    if (c.JinkCutsNothing()) {
        const JinkCut& cut = *c.jink;
        std::string why;
        if (cut.seconds < 0.0) {
            why = "a cut cannot be negative";
        } else if (cut.unitsPerSecond <= 0.0) {
            why = "the sound stream's header gives no time base";
        } else if (cut.units == 0) {
            why = "it is less than half of one unit of the sound stream, which lasts " +
                  platform::FormatPattern(1.0 / cut.unitsPerSecond, platform::Pattern::Fixed5) +
                  " seconds";
        } else {
            why = "its " + std::to_string(cut.units) +
                  " units of the sound stream hold no whole "
                  "block of samples";
        }
        return "Jink Audio cuts nothing from " + Seconds(cut.seconds) + ": " + why + ".";
    }
    if (c.JinkTakesAll()) {
        const JinkCut& cut = *c.jink;
        return "Jink Audio's cut of " + Seconds(cut.seconds) + " (" + std::to_string(cut.units) +
               " units, " + std::to_string(cut.bytes) + " bytes) takes all " +
               std::to_string(c.wavBytes) +
               " sample bytes of the WAV file: the sound track would be only zero bytes.";
    }
    return std::nullopt;
}

}  // namespace

WavComparison CompareWavWithMovie(const std::string& moviePath, const AudioTrack& track,
                                  const std::string& wavPath, std::optional<double> jinkSeconds) {
    auto wav = OpenExistingWav(wavPath);
    const WavSamples samples = LocateWavSamples(*wav);
    auto movie = platform::OpenFile(moviePath, platform::OpenMode::Read);
    WavComparison comparison;
    comparison.wavHasFormat = samples.formatChunk.has_value();
    if (samples.formatChunk) {
        const auto movieFormat = ReadFormatChunk(*movie, track);
        comparison.formatDifferences = FormatDifferences(std::span(*samples.formatChunk).subspan(4),
                                                         std::span(movieFormat).subspan(4));
    }
    comparison.wavBytes = samples.dataSize;
    if (jinkSeconds) {
        comparison.jink = JinkCutOf(*movie, track, *jinkSeconds, WavBlockAlign(samples));
    }
    comparison.movieChunks = SurveyAudioChunks(
        *movie, track.streamNumber,
        WavSampleRange{*wav, samples.dataOffset, samples.dataOffset + samples.dataSize});
    comparison.movieBytes = comparison.movieChunks.sampleBytes;
    return comparison;
}

std::optional<std::string> MismatchQuestion(const WavComparison& c) {
    const auto mismatch = MismatchSentence(c);
    const auto jink = JinkSentence(c);
    if (!mismatch && !jink) return std::nullopt;
    std::string text;
    for (const auto& sentence : {mismatch, jink}) {
        if (sentence) text += *sentence + " ";
    }
    return text + "Writing it back cannot be undone.";
}

}  // namespace brelvo::audio
