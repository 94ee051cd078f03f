// SPDX-License-Identifier: GPL-2.0-or-later
// The test movies.
#include "tests/support/test_movies.h"

#include <map>
#include <numeric>

#include "platform/little_endian.h"

namespace brelvo::testing {
namespace {

constexpr std::uint32_t kDeltaFrame = 0x80000000u;

void PutU32(Bytes& bytes, std::int64_t at, std::uint32_t v) {
    platform::WriteU32(bytes, static_cast<std::size_t>(at), v);
}

// wLongsPerEntry, bIndexSubType 0, bIndexType, nEntriesInUse, dwChunkId "00dc", 12 more bytes,
// and room for the entries.
Bytes IndexHeader(std::uint16_t longs, std::uint8_t type, std::uint32_t inUse,
                  std::size_t room = 0) {
    Bytes b;
    AppendU16(b, longs);
    b.push_back(std::byte{0});
    b.push_back(static_cast<std::byte>(type));
    AppendU32(b, inUse);
    AppendText(b, "00dc");
    b.resize(b.size() + 12 + room);
    return b;
}

}  // namespace

TestStream VideoStream(std::uint32_t length) {
    return {{.length = length}, BitmapInfoData()};
}

TestStream SoundStream(std::uint32_t length, std::uint32_t rate, Bytes format) {
    return {{.fccType = "auds",
             .fccHandler = std::string(4, '\0'),
             .scale = 4,
             .rate = rate,
             .length = length,
             .sampleSize = 4},
            std::move(format)};
}

Bytes MakeMovie(const MovieSpec& spec) {
    AvihFields avih = spec.avih;
    avih.streams = static_cast<std::uint32_t>(spec.streams.size());
    std::vector<Bytes> hdrl = {Chunk("avih", AvihData(avih))};
    for (const auto& s : spec.streams) {
        std::vector<Bytes> strl = {Chunk("strh", StrhData(s.strh)), Chunk("strf", s.format)};
        if (!s.extra.empty()) strl.push_back(s.extra);
        hdrl.push_back(List("strl", strl));
    }
    hdrl.insert(hdrl.end(), spec.hdrlExtra.begin(), spec.hdrlExtra.end());
    std::vector<Bytes> first = {List("hdrl", hdrl)};
    first.insert(first.end(), spec.beforeMovi.begin(), spec.beforeMovi.end());
    first.push_back(List("movi", spec.movis.at(0)));
    if (spec.idx1) first.push_back(Chunk("idx1", *spec.idx1));
    Bytes movie = Riff("AVI ", first);
    for (std::size_t k = 1; k < spec.movis.size(); ++k)
        Append(movie, Riff("AVIX", {List("movi", spec.movis[k])}));
    return movie;
}

Bytes Idx1For(const std::vector<Bytes>& movi, int keyEvery, bool withOffsets) {
    Bytes index;
    std::map<std::string, int> seen;  // chunks of each id so far
    std::uint32_t offset = 4;
    for (const auto& chunk : movi) {
        const std::string id(reinterpret_cast<const char*>(chunk.data()), 4);
        const int k = seen[id]++;
        const bool video = id.ends_with("dc") || id.ends_with("db");
        const bool key = !video || (keyEvery > 0 ? k % keyEvery == 0 : k == 0);
        AppendText(index, id);
        AppendU32(index, key ? 0x10 : 0);
        AppendU32(index, withOffsets ? offset : 0);
        AppendU32(index, withOffsets ? platform::ReadU32(chunk, 4) : 0);
        offset += static_cast<std::uint32_t>(chunk.size());
    }
    return index;
}

Bytes MakeSimpleMovie(const SimpleMovie& spec) {
    const auto frames = static_cast<std::uint32_t>(spec.frames);
    MovieSpec movie;
    movie.avih.totalFrames = frames;
    movie.streams = {VideoStream(frames)};
    movie.streams[0].strh.scale = spec.videoScale;
    movie.streams[0].strh.rate = spec.videoRate;
    if (spec.withAudio) {
        movie.streams.push_back(
            SoundStream(static_cast<std::uint32_t>(frames * spec.audioChunkSize / 4),
                        spec.audioRate, WaveFormatData()));
        movie.streams[1].strh.start = spec.audioStart;
    }
    if (spec.withInfo)
        movie.beforeMovi.push_back(
            List("INFO", {Chunk("INAM", ToBytes(std::string("Test\0", 5)))}));
    movie.beforeMovi.insert(movie.beforeMovi.end(), spec.beforeMovi.begin(), spec.beforeMovi.end());
    auto& movi = movie.movis[0];
    for (int i = 0; i < spec.frames; ++i) {
        movi.push_back(Chunk("00dc", Bytes(spec.videoChunkSize, static_cast<std::byte>(0x40 + i))));
        if (spec.withAudio)
            movi.push_back(
                Chunk("01wb", Bytes(spec.audioChunkSize, static_cast<std::byte>(0x80 + i))));
    }
    movie.idx1 = spec.withIndex ? std::optional(Idx1For(movi, spec.keyEvery)) : std::nullopt;
    return MakeMovie(movie);
}

Bytes EditableMovie() {
    const Bytes display = ToBytes(std::string("\1\0\0\0Clip one\0", 13));  // type 1: text
    return MakeSimpleMovie(
        {.frames = 4,
         .videoChunkSize = 40,
         .withInfo = false,
         .keyEvery = 2,
         .audioStart = 1002,
         .beforeMovi = {Chunk("JUNK", Bytes(30, std::byte{'x'})),
                        List("INFO", {Chunk("INAM", ToBytes(std::string("Old name\0", 9))),
                                      Chunk("IART", ToBytes(std::string("Someone\0", 8)))}),
                        Chunk("DISP", display)}});
}

Bytes MakeOdmlMovie(const OdmlMovie& spec) {
    const auto parts = static_cast<std::uint32_t>(spec.framesPerPart.size());
    const auto total = static_cast<std::uint32_t>(
        std::accumulate(spec.framesPerPart.begin(), spec.framesPerPart.end(), 0));
    MovieSpec m{.avih = {.totalFrames = static_cast<std::uint32_t>(spec.framesPerPart[0])},
                .streams = {VideoStream(total), SoundStream(2 * total)},
                .movis = {}};
    if (spec.withSuperIndex) {  // its entries are filled in below
        m.streams[0].extra = Chunk("indx", IndexHeader(4, 0x00, parts, 16 * parts));
    }
    Bytes dmlh(248);
    PutU32(dmlh, 0, total);
    m.hdrlExtra = {List("odml", {Chunk("dmlh", dmlh)})};
    int frame = 0;
    for (const int frames : spec.framesPerPart) {
        std::vector<Bytes> movi;
        Bytes ix = IndexHeader(2, 0x01, static_cast<std::uint32_t>(frames));
        for (int k = 0; k < frames; ++k, ++frame) {
            movi.push_back(Chunk("00dc", Bytes(16, static_cast<std::byte>(0x40 + frame))));
            movi.push_back(Chunk("01wb", Bytes(8, static_cast<std::byte>(0x80 + frame))));
            AppendU32(ix, 0);
            AppendU32(ix, 16 | (frame % spec.keyEvery == 0 ? 0 : kDeltaFrame));
        }
        if (m.movis.empty()) m.idx1 = Idx1For(movi, spec.keyEvery);
        movi.push_back(Chunk("ix00", ix));
        m.movis.push_back(movi);
    }
    if (!spec.withIdx1) m.idx1.reset();
    Bytes movie = MakeMovie(m);
    if (!spec.withSuperIndex) return movie;

    // Each super index entry: the standard index's offset, its size and its frames.
    const std::int64_t entries = OffsetOf(movie, "indx") + 8 + 24;
    std::int64_t ix = 0;
    for (std::size_t p = 0; p < parts; ++p) {
        ix = OffsetOf(movie, "ix00", ix + 1);
        const auto e = entries + 16 * static_cast<std::int64_t>(p);
        PutU32(movie, e, static_cast<std::uint32_t>(ix));
        PutU32(movie, e + 8, 8 + 24 + 8 * static_cast<std::uint32_t>(spec.framesPerPart[p]));
        PutU32(movie, e + 12, static_cast<std::uint32_t>(spec.framesPerPart[p]));
    }
    const auto last = entries + 16 * static_cast<std::int64_t>(parts - 1);
    using enum OdmlMovie::Damage;
    if (spec.damage == LastEntryBeyondFile) {
        PutU32(movie, last, static_cast<std::uint32_t>(movie.size() + 4096));
    } else if (spec.damage == LastEntryAtAFrame) {
        PutU32(movie, last, static_cast<std::uint32_t>(OffsetOf(movie, "00dc", ix - 64)));
    } else if (spec.damage == LastIndexOverclaims) {
        PutU32(movie, ix + 12, static_cast<std::uint32_t>(spec.framesPerPart.back() + 50));
    }
    return movie;
}

Bytes MakeStreamedMovie(int frames) {
    MovieSpec m;
    m.avih.totalFrames = 0;
    // The stream headers' lengths are a writer's placeholder, 1 GiB.
    m.streams = {VideoStream(0x40000000), SoundStream(0x40000000)};
    for (int k = 0; k < frames; ++k) {
        m.movis[0].push_back(Chunk("00dc", Bytes(10, static_cast<std::byte>(0x40 + k))));
        m.movis[0].push_back(Chunk("01wb", Bytes(4 * (k + 1), static_cast<std::byte>(0x80 + k))));
    }
    m.idx1.reset();
    Bytes movie = MakeMovie(m);
    PutU32(movie, 4, 0xFFFFFFFF);
    PutU32(movie, OffsetOf(movie, "movi") - 4, 0xFFFFFFFF);
    return movie;
}

Bytes MakeTypeOneDvMovie(int frames) {
    MovieSpec m;
    m.avih.totalFrames = static_cast<std::uint32_t>(frames);
    m.streams = {VideoStream(static_cast<std::uint32_t>(frames))};
    m.streams[0].strh.fccType = "iavs";
    m.streams[0].strh.fccHandler = "dvsd";
    m.streams[0].format = Bytes(32, std::byte{0});  // DVINFO
    for (int k = 0; k < frames; ++k)
        m.movis[0].push_back(Chunk("00__", Bytes(24, static_cast<std::byte>(0x40 + k))));
    m.idx1 = Idx1For(m.movis[0], 0, false);
    return MakeMovie(m);
}

Bytes MakeThreeVideoStreamMovie() {
    MovieSpec m;
    m.avih.totalFrames = 50;
    m.streams.clear();
    constexpr std::pair<const char*, int> kStreams[] = {{"00dc", 50}, {"01dc", 30}, {"02dc", 20}};
    for (const auto& [id, frames] : kStreams) {
        m.streams.push_back(VideoStream(static_cast<std::uint32_t>(frames)));
        for (int k = 0; k < frames; ++k) m.movis[0].push_back(Chunk(id, Bytes(4, std::byte{0x33})));
    }
    m.idx1 = Idx1For(m.movis[0], 10, false);
    return MakeMovie(m);
}

}  // namespace brelvo::testing
