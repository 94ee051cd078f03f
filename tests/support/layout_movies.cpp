// SPDX-License-Identifier: GPL-2.0-or-later
// The layout movies.
#include "tests/support/layout_movies.h"

#include <algorithm>
#include <string_view>

namespace brelvo::testing {
namespace {

constexpr std::uint32_t kDeltaFrame = 0x80000000u;

std::int64_t Find(const Bytes& bytes, std::string_view text, std::int64_t from = 0) {
    const std::string_view all(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const auto at = all.find(text, static_cast<std::size_t>(from));
    return at == std::string_view::npos ? -1 : static_cast<std::int64_t>(at);
}

void PutU32(Bytes& bytes, std::int64_t at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) {
        bytes[static_cast<std::size_t>(at + k)] = static_cast<std::byte>((v >> (8 * k)) & 0xFF);
    }
}

Bytes VideoStrl(std::uint32_t length, const Bytes& extra = {}, std::string_view type = "vids",
                std::string_view handler = "DIV3", const Bytes& format = BitmapInfoData()) {
    StrhFields video;
    video.fccType = std::string(type);
    video.fccHandler = std::string(handler);
    video.length = length;
    std::vector<Bytes> children = {Chunk("strh", StrhData(video)), Chunk("strf", format)};
    if (!extra.empty()) children.push_back(extra);
    return List("strl", children);
}

Bytes SoundStrl(std::uint32_t length) {
    StrhFields audio;
    audio.fccType = "auds";
    audio.fccHandler = std::string(4, '\0');
    audio.scale = 4;
    audio.rate = 16000;
    audio.sampleSize = 4;
    audio.length = length;
    return List("strl",
                {Chunk("strh", StrhData(audio)), Chunk("strf", WaveFormatData(1, 2, 4000, 16))});
}

Bytes Avih(std::uint32_t frames, std::uint32_t streams) {
    AvihFields avih;
    avih.totalFrames = frames;
    avih.streams = streams;
    return Chunk("avih", AvihData(avih));
}

// wLongsPerEntry, bIndexSubType 0, bIndexType, nEntriesInUse, dwChunkId "00dc", 12 more bytes.
Bytes IndexHeader(std::uint16_t longs, std::uint8_t type, std::uint32_t inUse) {
    Bytes b;
    AppendU16(b, longs);
    b.push_back(std::byte{0});
    b.push_back(static_cast<std::byte>(type));
    AppendU32(b, inUse);
    AppendText(b, "00dc");
    for (int k = 0; k < 3; ++k) AppendU32(b, 0);
    return b;
}

void AppendIdx1Entry(Bytes& index, std::string_view id, bool key) {
    AppendText(index, id);
    AppendU32(index, key ? 0x10 : 0);
    AppendU32(index, 0);
    AppendU32(index, 0);
}

}  // namespace

Bytes MakeOdmlMovie(const OdmlMovie& spec) {
    const auto parts = spec.framesPerPart.size();
    int total = 0;
    for (const int n : spec.framesPerPart) total += n;

    Bytes super = IndexHeader(4, 0x00, static_cast<std::uint32_t>(parts));
    super.resize(super.size() + 16 * parts);  // the entries are filled in below
    std::vector<Bytes> hdrl = {Avih(static_cast<std::uint32_t>(spec.framesPerPart[0]), 2),
                               VideoStrl(static_cast<std::uint32_t>(total),
                                         spec.withSuperIndex ? Chunk("indx", super) : Bytes{}),
                               SoundStrl(static_cast<std::uint32_t>(2 * total))};
    Bytes dmlh;
    AppendU32(dmlh, static_cast<std::uint32_t>(total));
    dmlh.resize(248);
    hdrl.push_back(List("odml", {Chunk("dmlh", dmlh)}));

    Bytes movie;
    int frame = 0;
    for (std::size_t p = 0; p < parts; ++p) {
        std::vector<Bytes> movi;
        Bytes ix = IndexHeader(2, 0x01, static_cast<std::uint32_t>(spec.framesPerPart[p]));
        Bytes idx1;
        for (int k = 0; k < spec.framesPerPart[p]; ++k, ++frame) {
            const bool key = frame % spec.keyEvery == 0;
            movi.push_back(Chunk("00dc", Bytes(16, static_cast<std::byte>(0x40 + frame))));
            movi.push_back(Chunk("01wb", Bytes(8, static_cast<std::byte>(0x80 + frame))));
            AppendU32(ix, 0);
            AppendU32(ix, 16 | (key ? 0 : kDeltaFrame));
            AppendIdx1Entry(idx1, "00dc", key);
            AppendIdx1Entry(idx1, "01wb", true);
        }
        movi.push_back(Chunk("ix00", ix));
        std::vector<Bytes> children;
        if (p == 0) children.push_back(List("hdrl", hdrl));
        children.push_back(List("movi", movi));
        if (p == 0 && spec.withIdx1) children.push_back(Chunk("idx1", idx1));
        Append(movie, Riff(p == 0 ? "AVI " : "AVIX", children));
    }
    if (!spec.withSuperIndex) return movie;

    // Each super index entry: the standard index's offset, its size and its frames.
    const std::int64_t entries = Find(movie, "indx") + 8 + 24;
    std::int64_t ix = 0;
    for (std::size_t p = 0; p < parts; ++p) {
        ix = Find(movie, "ix00", ix + 1);
        const auto e = entries + 16 * static_cast<std::int64_t>(p);
        PutU32(movie, e, static_cast<std::uint32_t>(ix));
        PutU32(movie, e + 8, 8 + 24 + 8 * static_cast<std::uint32_t>(spec.framesPerPart[p]));
        PutU32(movie, e + 12, static_cast<std::uint32_t>(spec.framesPerPart[p]));
    }
    const auto last = entries + 16 * static_cast<std::int64_t>(parts - 1);
    switch (spec.damage) {
        case OdmlMovie::Damage::None:
            break;
        case OdmlMovie::Damage::LastEntryBeyondFile:
            PutU32(movie, last, static_cast<std::uint32_t>(movie.size() + 4096));
            break;
        case OdmlMovie::Damage::LastEntryAtAFrame:
            PutU32(movie, last, static_cast<std::uint32_t>(Find(movie, "00dc", ix - 64)));
            break;
        case OdmlMovie::Damage::LastIndexOverclaims:
            PutU32(movie, ix + 12, static_cast<std::uint32_t>(spec.framesPerPart.back() + 50));
            break;
    }
    return movie;
}

Bytes MakeStreamedMovie(int frames) {
    std::vector<Bytes> movi;
    for (int k = 0; k < frames; ++k) {
        movi.push_back(Chunk("00dc", Bytes(10, static_cast<std::byte>(0x40 + k))));
        movi.push_back(Chunk("01wb", Bytes(4 * (k + 1), static_cast<std::byte>(0x80 + k))));
    }
    // The stream headers' lengths are a writer's placeholder, 1 GiB.
    Bytes movie =
        Riff("AVI ", {List("hdrl", {Avih(0, 2), VideoStrl(0x40000000), SoundStrl(0x40000000)}),
                      List("movi", movi)});
    PutU32(movie, 4, 0xFFFFFFFF);
    PutU32(movie, Find(movie, "movi") - 4, 0xFFFFFFFF);
    return movie;
}

Bytes MakeTypeOneDvMovie(int frames) {
    Bytes dvinfo(32, std::byte{0});
    std::vector<Bytes> movi;
    Bytes idx1;
    for (int k = 0; k < frames; ++k) {
        movi.push_back(Chunk("00__", Bytes(24, static_cast<std::byte>(0x40 + k))));
        AppendIdx1Entry(idx1, "00__", true);
    }
    AvihFields avih;
    avih.totalFrames = static_cast<std::uint32_t>(frames);
    avih.streams = 1;
    return Riff(
        "AVI ",
        {List("hdrl", {Chunk("avih", AvihData(avih)),
                       VideoStrl(static_cast<std::uint32_t>(frames), {}, "iavs", "dvsd", dvinfo)}),
         List("movi", movi), Chunk("idx1", idx1)});
}

Bytes MakeThreeVideoStreamMovie() {
    struct Stream {
        const char* id;
        int frames;
        int keyEvery;
    };
    constexpr Stream kStreams[] = {{"00dc", 50, 10}, {"01dc", 30, 10}, {"02dc", 20, 10}};
    std::vector<Bytes> hdrl = {Avih(50, 3)};
    std::vector<Bytes> movi;
    Bytes idx1;
    for (const auto& s : kStreams) {
        hdrl.push_back(VideoStrl(static_cast<std::uint32_t>(s.frames)));
        for (int k = 0; k < s.frames; ++k) {
            movi.push_back(Chunk(s.id, Bytes(4, std::byte{0x33})));
            AppendIdx1Entry(idx1, s.id, k % s.keyEvery == 0);
        }
    }
    return Riff("AVI ", {List("hdrl", hdrl), List("movi", movi), Chunk("idx1", idx1)});
}

}  // namespace brelvo::testing
