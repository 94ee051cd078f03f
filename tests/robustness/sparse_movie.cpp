// SPDX-License-Identifier: GPL-2.0-or-later
// Sparse movies beyond 4 GiB.
#include "tests/robustness/sparse_movie.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "platform/little_endian.h"

namespace brelvo::testing {
namespace {

Bytes Header(std::string_view id, std::uint32_t size) {
    Bytes header;
    AppendText(header, id);
    AppendU32(header, size);
    return header;
}

Bytes IndexEntry(std::string_view id, std::uint32_t flags) {
    Bytes entry;
    AppendText(entry, id);
    AppendU32(entry, flags);
    AppendU32(entry, 0);
    AppendU32(entry, 0);
    return entry;
}

// 64 sample bytes that differ from chunk to chunk.
Bytes SoundBytes(int seed) {
    Bytes bytes(64);
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        bytes[k] = static_cast<std::byte>((k * 7 + static_cast<std::size_t>(seed) * 61 + 1) & 0xFF);
    }
    return bytes;
}

Bytes HeaderList() {
    AvihFields avih;
    avih.totalFrames = 4;
    StrhFields video;
    video.length = 4;
    StrhFields sound;
    sound.fccType = "auds";
    sound.fccHandler = std::string(4, '\0');
    sound.scale = 4;
    sound.rate = 16000;
    sound.sampleSize = 4;
    sound.length = 64;
    return List("hdrl",
                {Chunk("avih", AvihData(avih)),
                 List("strl", {Chunk("strh", StrhData(video)), Chunk("strf", BitmapInfoData())}),
                 List("strl", {Chunk("strh", StrhData(sound)),
                               Chunk("strf", WaveFormatData(1, 2, 4000, 16))})});
}

}  // namespace

std::int64_t SparseLayout::Chunk(std::string_view id, const Bytes& data) {
    Bytes bytes = Header(id, static_cast<std::uint32_t>(data.size()));
    Append(bytes, data);
    if (data.size() % 2 != 0) bytes.push_back(std::byte{0});
    const std::int64_t dataAt = here_ + 8;
    here_ += static_cast<std::int64_t>(bytes.size());
    pieces_.push_back({dataAt - 8, std::move(bytes)});
    return dataAt;
}

void SparseLayout::FillTo(std::int64_t nextAt) {
    const std::int64_t size = nextAt - here_ - 8;
    if (size < 0 || size >= k4GiB || size % 2 != 0) throw std::logic_error("bad filler");
    pieces_.push_back({here_, Header("JUNK", static_cast<std::uint32_t>(size))});
    here_ = nextAt;
}

void SparseLayout::Open(std::string_view form, std::string_view type) {
    Bytes header = Header(form, 0);
    AppendText(header, type);
    open_.push_back(pieces_.size());
    pieces_.push_back({here_, std::move(header)});
    here_ += 12;
}

void SparseLayout::Close() {
    auto& piece = pieces_.at(open_.back());
    open_.pop_back();
    const std::int64_t size = here_ - piece.offset - 8;
    if (size >= k4GiB) throw std::logic_error("a list of 4 GiB or more");
    platform::WriteU32(piece.bytes, 4, static_cast<std::uint32_t>(size));
}

void SparseLayout::WriteTo(const std::string& path) const {
    const int fd = ::open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + path);
    bool ok = ::ftruncate(fd, here_) == 0;
    for (const auto& p : pieces_) {
        ok = ok && ::pwrite(fd, p.bytes.data(), p.bytes.size(), p.offset) ==
                       static_cast<ssize_t>(p.bytes.size());
    }
    ::close(fd);
    if (!ok) throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
}

SparseMovie MakeSparseMovie(bool onePart) {
    SparseLayout layout;
    SparseMovie movie;
    movie.audioPayloadSize = 64;
    int seed = 0;
    const auto sound = [&] {
        movie.audioPayloads.push_back(layout.Chunk("01wb", SoundBytes(seed++)));
    };
    const auto lateItems = [&] {
        layout.Open("LIST", "INFO");
        movie.lateItemData = layout.Chunk("IART", ToBytes(std::string("Someone\0", 8)));
        layout.Close();
        movie.lateJunkData = layout.Chunk("JUNK", Bytes(20, std::byte{'y'}));
    };
    const auto index = [&] {
        Bytes entries;
        for (int k = 0; k < 4; ++k) Append(entries, IndexEntry("00dc", k % 2 == 0 ? 0x10 : 0));
        movie.idx1Data = layout.Chunk("idx1", entries);
    };

    layout.Open("RIFF", "AVI ");
    const Bytes hdrl = HeaderList();
    layout.Chunk("LIST", Bytes(hdrl.begin() + 8, hdrl.end()));
    layout.Chunk("JUNK", Bytes(30, std::byte{'x'}));
    layout.Open("LIST", "INFO");
    layout.Chunk("INAM", ToBytes(std::string("Old name\0", 9)));
    layout.Close();
    layout.Open("LIST", "movi");
    layout.Chunk("00dc", Bytes(40, std::byte{0x40}));
    sound();
    if (onePart) {
        layout.FillTo(k2GiB + 8);
        sound();
        layout.Chunk("00dc", Bytes(40, std::byte{0x41}));
        layout.Close();
        index();
        lateItems();
        layout.Close();
    } else {
        layout.Close();
        index();
        layout.Close();
        for (const std::int64_t boundary : {k2GiB, k4GiB}) {
            layout.Open("RIFF", "AVIX");
            layout.Open("LIST", "movi");
            layout.FillTo(boundary + 8);
            sound();
            layout.Close();
            layout.Close();
        }
        layout.Open("RIFF", "AVIX");
        layout.Open("LIST", "movi");
        sound();
        layout.Chunk("00dc", Bytes(40, std::byte{0x41}));
        layout.Close();
        lateItems();
        layout.Close();
    }
    movie.path = WriteTempFile({}, "big.avi");
    layout.WriteTo(movie.path);
    movie.length = layout.Here();
    return movie;
}

std::optional<std::string> SparseFilesUnsupported() {
    const std::string probe = WriteTempFile({}, "sparse-probe");
    const int fd = ::open(probe.c_str(), O_RDWR);
    std::optional<std::string> why;
    struct stat st {};
    struct statvfs vfs {};
    if (fd < 0 || ::ftruncate(fd, 5 * (std::int64_t{1} << 30)) != 0) {
        why = std::string("the temporary folder cannot hold a 5 GiB file: ") + std::strerror(errno);
    } else if (::fstat(fd, &st) != 0 || st.st_blocks * 512 > (1 << 20)) {
        why = "the temporary folder's file system does not keep files sparse";
    } else if (::fstatvfs(fd, &vfs) != 0 ||
               static_cast<std::int64_t>(vfs.f_bavail) * static_cast<std::int64_t>(vfs.f_frsize) <
                   (std::int64_t{64} << 20)) {
        why = "less than 64 MiB free in the temporary folder";
    }
    if (fd >= 0) ::close(fd);
    std::filesystem::remove(probe);
    return why;
}

Bytes ReadAt(const std::string& path, std::int64_t offset, std::size_t count) {
    Bytes bytes(count);
    const int fd = ::open(path.c_str(), O_RDONLY);
    const ssize_t n = fd < 0 ? -1 : ::pread(fd, bytes.data(), count, offset);
    if (fd >= 0) ::close(fd);
    if (n != static_cast<ssize_t>(count)) throw std::runtime_error("cannot read " + path);
    return bytes;
}

}  // namespace brelvo::testing
