// SPDX-License-Identifier: GPL-2.0-or-later
// Synthetic movies for the audio tool tests.
#include "tests/audio/audio_movies.h"

namespace brelvo::testing {

Bytes MovieOf(const std::vector<TestStream>& streams,
              const std::vector<std::vector<Bytes>>& movis) {
    AvihFields avih;
    avih.streams = static_cast<std::uint32_t>(streams.size());
    std::vector<Bytes> hdrl = {Chunk("avih", AvihData(avih))};
    for (const auto& s : streams) {
        StrhFields strh;
        strh.fccType = s.type;
        strh.scale = s.scale;
        strh.rate = s.rate;
        strh.sampleSize = s.sampleSize;
        hdrl.push_back(List("strl", {Chunk("strh", StrhData(strh)), Chunk("strf", s.format)}));
    }
    Bytes movie = Riff("AVI ", {List("hdrl", hdrl), List("movi", movis.at(0)), Chunk("idx1", {})});
    for (std::size_t k = 1; k < movis.size(); ++k)
        Append(movie, Riff("AVIX", {List("movi", movis[k])}));
    return movie;
}

std::vector<TestStream> VideoAndSound(Bytes soundFormat) {
    TestStream video{"vids", BitmapInfoData(), 1, 25, 0};
    TestStream sound;
    sound.format = std::move(soundFormat);
    return {video, sound};
}

Bytes Pattern(std::size_t length, int seed) {
    Bytes b(length);
    for (std::size_t k = 0; k < length; ++k)
        b[k] = static_cast<std::byte>((k * 7 + seed * 31) & 0xFF);
    return b;
}

platform::MemoryFile MemoryOf(const Bytes& bytes, bool allowGrowth) {
    return platform::MemoryFile(bytes, "test.avi", allowGrowth);
}

}  // namespace brelvo::testing
