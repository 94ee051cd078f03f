// SPDX-License-Identifier: GPL-2.0-or-later
// What loading shows: the captions, author boxes and list selections, and the final lines of
// the information tab. (The range list is tested in the window that keeps it.)
#include "avi/load_display.h"

#include <gtest/gtest.h>

#include "avi/load_summary.h"
#include "tests/support/decoded_movie.h"
#include "tests/support/test_movies.h"

namespace brelvo::avi {
namespace {

using namespace brelvo::testing;
using L = InfoLine;

const StrhFields kAudio{
    .fccType = "auds", .scale = 4, .rate = 176400, .start = 8820, .length = 352800};

Bytes Movie(const StrhFields& video, const StrhFields& audio, const Bytes& waveFormat,
            const std::vector<Bytes>& info = {}) {
    AvihFields avih;
    avih.totalFrames = 1500;
    return Riff("AVI ", {Chunk("avih", AvihData(avih)), Chunk("strh", StrhData(video)),
                         Chunk("strf", BitmapInfoData("div3", 16)), Chunk("strh", StrhData(audio)),
                         Chunk("strf", waveFormat), List("INFO", info)});
}

LoadDisplay Describe(const Bytes& bytes) {
    const DecodedMovie m(bytes);
    return DescribeLoad(m.record, m.chunkMap);
}

TEST(DescribeLoad, CaptionsOfAWholeMovie) {
    const auto d = Describe(Movie({.fccHandler = "div3", .scale = 1001, .rate = 30000}, kAudio,
                                  WaveFormatData(1, 6, 48000, 24)));
    // The lines computed from more than one field; the others copy a header value.
    const std::map<InfoLine, std::string> computed = {
        {L::Compression, "Compression: div3 - MPEG4 V3 Cracked ;)"},
        {L::FramesPerSec, "Frames Per Sec: 29.9700"},
        {L::RunningTime, "Running Time: 50.0500 Secs."},
        {L::Range, "From: 1 To: 1500"},
        {L::AudioDelay, "Audio Delay: 0.2 Secs."},
        {L::AudioLengthBox, "8.0000"},
        {L::Channels, "Channels: 6 (i.e. Stereo)"},
    };
    for (const auto& [line, text] : computed) EXPECT_EQ(d.lines.at(line), text);
    EXPECT_EQ(d.lines.size(), 19u);
    EXPECT_TRUE(d.hasAudio);
    EXPECT_EQ(d.combo1Index, 6);  // "DIV3 - MPEG4 V3 Cracked ;)"
    EXPECT_EQ(d.combo2Index, 6);
}

TEST(DescribeLoad, ZeroDivisorsLeaveTheirValuesUnshown) {
    auto silent = kAudio;
    silent.rate = 0;
    // A negative dwScale is no time base either: no "-25.0000" frames a second.
    for (const std::uint32_t scale : {0u, static_cast<std::uint32_t>(-1)}) {
        const DecodedMovie l(
            Movie({.fccHandler = "XVID", .scale = scale}, silent, WaveFormatData()));
        const auto d = DescribeLoad(l.record, l.chunkMap);
        for (const auto line : {L::FramesPerSec, L::FrameRateBox, L::FrameRateCaption,
                                L::RunningTime, L::AudioDelay, L::AudioLengthBox}) {
            EXPECT_FALSE(d.lines.contains(line)) << static_cast<int>(line) << " " << scale;
        }
        EXPECT_EQ(l.record.framesPerSec, 0.0);
        EXPECT_EQ(d.combo1Index, -1);
    }
    const auto mono = Describe(Movie({.rate = 0}, kAudio, WaveFormatData(85, 1)));
    EXPECT_EQ(mono.lines.at(L::FramesPerSec), "Frames Per Sec: 0.0000");
    EXPECT_FALSE(mono.lines.contains(L::RunningTime));
    EXPECT_EQ(mono.lines.at(L::Channels), "Channels: 1 (i.e. Mono)");
    // WAVE_FORMAT_EXTENSIBLE, as 5.1 sound and 24-bit PCM carry it: an unsigned word.
    const auto extensible = Describe(Movie({}, kAudio, WaveFormatData(0xFFFE, 6)));
    EXPECT_EQ(extensible.lines.at(L::WaveType), "Wave Type: 65534 - Unknown Wave format");
}

TEST(DescribeLoad, AuthorItemsAndDisplayName) {
    Bytes disp;
    AppendU32(disp, 1);
    AppendText(disp, std::string("Holidays\0", 9));
    const auto d = Describe(
        Movie({}, kAudio, WaveFormatData(),
              {Chunk("INAM", ToBytes(std::string("Eleven char\0", 12))),
               Chunk("IART", ToBytes("Caf\xe9")), Chunk("ICOP", {}), Chunk("DISP", disp)}));
    EXPECT_EQ(d.author.at("INAM"), std::string("Eleven char\0", 12));
    EXPECT_EQ(d.authorRoom.at("INAM"), 12);
    EXPECT_EQ(d.author.at("IART"), "Caf\xc3\xa9");  // Windows-1252 é as UTF-8
    EXPECT_EQ(d.author.at("DISP"), "Holidays ");
    EXPECT_EQ(d.authorRoom.at("DISP"), 9);  // the room behind the type field
    // An empty item cannot take a character.
    EXPECT_EQ(d.authorEditable, (std::set<std::string>{"INAM", "IART", "DISP"}));
}

TEST(InformationTabLines, FinalLinesInTabOrder) {
    const DecodedMovie l(Movie({.fccHandler = "DIV3"}, kAudio, WaveFormatData()));
    const auto full = InformationTabLines(l.record, l.chunkMap, "/home/u/clip.avi", 1048576);
    ASSERT_EQ(full.size(), 18u);
    EXPECT_EQ(full[0], "Filename: CLIP.AVI");
    EXPECT_EQ(full[4], "File Size: 1048576 bytes. (1.00MB.)");
    EXPECT_EQ(full[10], "From: 0 To: 1500");  // as the display range leaves it
    EXPECT_EQ(full[14], "Wave Type: 1 - Microsoft PCM");
    AvihFields avih;
    avih.totalFrames = 1234567;
    const DecodedMovie bare(Riff("AVI ", {Chunk("avih", AvihData(avih))}));
    const auto lines = InformationTabLines(bare.record, bare.chunkMap, "clip.avi", 0);
    ASSERT_EQ(lines.size(), 14u);  // no audio frame; lines without values keep their captions
    EXPECT_EQ(lines[1], "Compression:");
    EXPECT_EQ(lines[10], "From: 0 To: 1234567");  // seven digits read whole
    // Upper case in UTF-8 beyond ASCII; a name that is no UTF-8 keeps its bytes.
    EXPECT_EQ(isolatename("/t/\xC3\xA9t\xC3\xA9 \xC5\xA1\xC3\xBF \xD0\xB6.avi"),
              "\xC3\x89T\xC3\x89 \xC5\xA0\xC5\xB8 \xD0\x96.AVI");  // été šÿ ж
    EXPECT_EQ(isolatename("caf\xE9.avi"), "CAF\xE9.AVI");
    EXPECT_EQ(FileSizeText(131072), "File Size: 131072 bytes. (0.13MB.)");  // 0.125: half up
    EXPECT_EQ(FileSizeText(5'000'000'000), "File Size: 5000000000 bytes. (4768.37MB.)");
}

}  // namespace
}  // namespace brelvo::avi
