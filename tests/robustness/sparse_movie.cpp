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
#include "tests/robustness/robust_movies.h"

namespace brelvo::testing {
namespace {

// Chunks laid out by offset: only their headers and small payloads are written, and JUNK
// chunks span the holes.
class SparseLayout {
  public:
    std::int64_t Here() const { return here_; }
    void Raw(Bytes bytes) {
        here_ += static_cast<std::int64_t>(bytes.size());
        pieces_.push_back({here_ - static_cast<std::int64_t>(bytes.size()), std::move(bytes)});
    }
    // A chunk with its data (and pad byte); returns the offset of its data.
    std::int64_t Chunk(std::string_view id, const Bytes& data);
    // A JUNK chunk whose data is a hole, ending so that the next chunk starts at `nextAt`.
    void FillTo(std::int64_t nextAt);
    void Open(std::string_view form, std::string_view type);  // "RIFF" or "LIST"
    void Close();
    // Writes the pieces into a new file of the layout's length, holes left unwritten.
    void WriteTo(const std::string& path) const;

  private:
    struct Piece {
        std::int64_t offset;
        Bytes bytes;
    };
    std::vector<Piece> pieces_;
    std::vector<std::size_t> open_;  // pieces holding the headers of the open lists
    std::int64_t here_ = 0;
};

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

}  // namespace

SparseMovie MakeSparseMovie() {
    SparseLayout layout;
    SparseMovie movie;
    int seed = 0;
    const auto sound = [&] {
        movie.audioPayloads.push_back(layout.Chunk("01wb", SoundBytes(seed++)));
    };
    layout.Open("RIFF", "AVI ");
    const Bytes head = EditableMovie();  // its headers, JUNK, INFO and display name
    const std::string_view text(reinterpret_cast<const char*>(head.data()), head.size());
    layout.Raw(Bytes(head.begin() + 12,
                     head.begin() + static_cast<std::ptrdiff_t>(text.find("movi")) - 8));
    layout.Open("LIST", "movi");
    layout.Chunk("00dc", Bytes(40, std::byte{0x40}));
    sound();
    layout.FillTo(k2GiB + 8);
    sound();
    layout.Chunk("00dc", Bytes(40, std::byte{0x41}));
    layout.Close();
    Bytes entries;
    for (int k = 0; k < 4; ++k) Append(entries, IndexEntry("00dc", k % 2 == 0 ? 0x10 : 0));
    movie.idx1Data = layout.Chunk("idx1", entries);
    layout.Close();

    layout.Open("RIFF", "AVIX");
    layout.Open("LIST", "movi");
    layout.FillTo(k4GiB + 8);
    sound();
    layout.Close();
    layout.Close();
    layout.Open("RIFF", "AVIX");
    layout.Open("LIST", "movi");
    sound();
    layout.Chunk("00dc", Bytes(40, std::byte{0x42}));
    layout.Close();
    layout.Open("LIST", "INFO");
    movie.lateItemData = layout.Chunk("IART", ToBytes(std::string("Someone\0", 8)));
    layout.Close();
    movie.lateJunkData = layout.Chunk("JUNK", Bytes(20, std::byte{'y'}));
    layout.Close();
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
