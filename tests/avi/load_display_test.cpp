// SPDX-License-Identifier: GPL-2.0-or-later
// What loading shows: the captions, author boxes and list selections, and the final lines of
// the information tab.
#include "avi/load_display.h"

#include <gtest/gtest.h>

#include "avi/decode_headers.h"
#include "avi/scan_chunks.h"
#include "tests/avi/avi_test_files.h"

namespace brelvo::avi {
namespace {

using namespace brelvo::testing;

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

struct Loaded {
    ChunkMap map;
    HeaderRecord record;
};
Loaded Load(const Bytes& bytes) {
    platform::MemoryFile file(bytes);
    auto map = ScanChunks(file).chunkMap;
    auto record = DecodeHeaders(file, map);
    return {std::move(map), std::move(record)};
}
LoadDisplay Describe(const Bytes& bytes) {
    const auto l = Load(bytes);
    return DescribeLoad(l.record, l.map);
}

TEST(DescribeLoad, CaptionsOfAWholeMovie) {
    const auto d = Describe(Movie({.fccHandler = "div3", .scale = 1001, .rate = 30000}, kAudio,
                                  WaveFormatData(1, 6, 48000, 24)));
    EXPECT_EQ(d.texts, (std::map<std::string, std::string>{
                           {"Label6", "MicroSeconds Per Frame: 40000"},
                           {"Label7", "Peak Bitrate: 0"},
                           {"Label2", "Frames: 1500"},
                           {"Label9", "Streams (i.e. Video,Audio): 2"},
                           {"Label10", "Resolution 64 x 48"},
                           {"Label15", "Compression: div3 - MPEG4 V3 Cracked ;)"},
                           {"Label3", "Frames Per Sec: 29.9700"},
                           {"Text1", "29.9700"},
                           {"Label21", "FPS: 29.9700"},
                           {"Label8", "Running Time: 50.0500 Secs."},
                           {"Label11", "From: 1 To: 1500"},
                           {"Label13", "Quality Level: 10000 (1 - 10000)"},
                           {"Label14", "Colour Depth: 16Bits."},
                           {"Label18", "Audio Delay: 0.2 Secs."},
                           {"Text11", "8.0000"},
                           {"Label5", "Wave Type: 1 - Microsoft PCM"},
                           {"Label17", "Channels: 6 (i.e. Stereo)"},
                           {"Label12", "Samples Rate: 48000"},
                           {"Label16", "Bit Depth: 24"},
                       }));
    EXPECT_EQ(d.enabled, (std::set<std::string>{"Frame2", "Command12", "Command13"}));
    EXPECT_EQ(d.shown, (std::set<std::string>{"Frame4"}));
    EXPECT_EQ(d.combo1Index, 6);  // "DIV3 - MPEG4 V3 Cracked ;)"
    EXPECT_EQ(d.combo2Index, 6);
}

TEST(DescribeLoad, ZeroDivisorsLeaveTheirValuesUnshown) {
    auto silent = kAudio;
    silent.rate = 0;
    // A negative dwScale is no time base either: no "-25.0000" frames a second.
    for (const std::uint32_t scale : {0u, static_cast<std::uint32_t>(-1)}) {
        const auto l =
            Load(Movie({.fccHandler = "XVID", .scale = scale}, silent, WaveFormatData()));
        const auto d = DescribeLoad(l.record, l.map);
        for (const auto* control : {"Label3", "Text1", "Label21", "Label8", "Label18", "Text11"}) {
            EXPECT_FALSE(d.texts.contains(control)) << control << scale;
        }
        EXPECT_EQ(l.record.framesPerSec, 0.0);
        EXPECT_EQ(d.combo1Index, -1);
    }
    const auto mono = Describe(Movie({.rate = 0}, kAudio, WaveFormatData(85, 1)));
    EXPECT_EQ(mono.texts.at("Label3"), "Frames Per Sec: 0.0000");
    EXPECT_FALSE(mono.texts.contains("Label8"));
    EXPECT_EQ(mono.texts.at("Label17"), "Channels: 1 (i.e. Mono)");
    // WAVE_FORMAT_EXTENSIBLE, as 5.1 sound and 24-bit PCM carry it: an unsigned word.
    const auto extensible = Describe(Movie({}, kAudio, WaveFormatData(0xFFFE, 6)));
    EXPECT_EQ(extensible.texts.at("Label5"), "Wave Type: 65534 - Unknown Wave format");
}

TEST(DescribeLoad, AuthorItemsAndDisplayName) {
    Bytes disp;
    AppendU32(disp, 1);
    AppendText(disp, std::string("Holidays\0", 9));
    const auto d = Describe(
        Movie({}, kAudio, WaveFormatData(),
              {Chunk("INAM", ToBytes(std::string("Eleven char\0", 12))),
               Chunk("IART", ToBytes("Caf\xe9")), Chunk("ICOP", {}), Chunk("DISP", disp)}));
    EXPECT_EQ(d.texts.at("Text7"), std::string("Eleven char\0", 12));
    EXPECT_EQ(d.maxLengths.at("Text7"), 12);
    EXPECT_EQ(d.texts.at("Text4"), "Caf\xc3\xa9");  // Windows-1252 é as UTF-8
    EXPECT_EQ(d.texts.at("disp"), "Holidays ");
    EXPECT_EQ(d.maxLengths.at("disp"), 9);  // the room behind the type field
    EXPECT_TRUE(d.enabled.contains("Command2") && d.enabled.contains("disp"));
    EXPECT_TRUE(d.enabled.contains("Text4"));
    EXPECT_FALSE(d.enabled.contains("Text6"));  // an empty item cannot take a character
    // Display names without room for a character stay disabled too.
    for (const Bytes& tooSmall : {Bytes{}, Bytes{std::byte{1}, {}, {}, {}}}) {
        const auto none = Describe(Movie({}, kAudio, WaveFormatData(), {Chunk("DISP", tooSmall)}));
        EXPECT_FALSE(none.enabled.contains("disp")) << tooSmall.size();
    }
}

TEST(InformationTabLines, FinalLinesInTabOrder) {
    const auto l = Load(Movie({.fccHandler = "DIV3"}, kAudio, WaveFormatData()));
    const auto full = InformationTabLines(l.record, l.map, "/home/u/clip.avi", 1048576);
    ASSERT_EQ(full.size(), 18u);
    EXPECT_EQ(full[0], "Filename: CLIP.AVI");
    EXPECT_EQ(full[4], "File Size: 1048576 bytes. (1.00MB.)");
    EXPECT_EQ(full[10], "From: 0 To: 1500");  // as the display range leaves it
    EXPECT_EQ(full[13], "Audio Delay: 0.2 Secs.");
    EXPECT_EQ(full[14], "Wave Type: 1 - Microsoft PCM");
    EXPECT_EQ(full[17], "Channels: 2 (i.e. Stereo)");
    AvihFields avih;
    avih.totalFrames = 1234567;
    const auto bare = Load(Riff("AVI ", {Chunk("avih", AvihData(avih))}));
    const auto lines = InformationTabLines(bare.record, bare.map, "clip.avi", 0);
    ASSERT_EQ(lines.size(), 14u);  // no audio frame; lines without values keep their captions
    EXPECT_EQ(lines[1], "Compression:");
    EXPECT_EQ(lines[3], "Frames Per Second: ");
    EXPECT_EQ(lines[10], "From: 0 To: 1234567");  // seven digits read whole
    EXPECT_EQ(lines[13], "Audio Delay:");
}

}  // namespace
}  // namespace brelvo::avi
