// SPDX-License-Identifier: GPL-2.0-or-later
// Sparse movies beyond 4 GiB.
#include "tests/robustness/sparse_movie.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/little_endian.h"
#include "tests/support/test_movies.h"

namespace brelvo::testing {
namespace {

// RIFF parts laid end to end in a file; only their bytes are written, and each part's empty
// JUNK chunk in its movi list stands for a hole up to the offset given.
class SparseParts {
  public:
    void Add(Bytes part, std::int64_t holeEndsAt = 0) {
        std::int64_t split = static_cast<std::int64_t>(part.size());
        std::int64_t hole = 0;
        if (holeEndsAt > 0) {
            const auto movi = OffsetOf(part, "movi");
            split = OffsetOf(part, "JUNK", movi) + 8;
            hole = holeEndsAt - (end_ + split);
            for (const auto sizeAt : {std::int64_t{4}, split - 4, movi - 4})
                Grow(part, sizeAt, hole);
        }
        pieces_.push_back({end_, Bytes(part.begin(), part.begin() + split)});
        pieces_.push_back({end_ + split + hole, Bytes(part.begin() + split, part.end())});
        end_ += static_cast<std::int64_t>(part.size()) + hole;
    }
    // The file offsets of the data of every chunk with the id.
    std::vector<std::int64_t> DataOf(std::string_view id) const {
        std::vector<std::int64_t> found;
        for (const auto& [at, bytes] : pieces_) {
            for (auto k = OffsetOf(bytes, id); k >= 0; k = OffsetOf(bytes, id, k + 1))
                found.push_back(at + k + 8);
        }
        return found;
    }
    std::int64_t Length() const { return end_; }
    void WriteTo(const std::string& path) const {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (const auto& [at, bytes] : pieces_) {
            out.seekp(at);
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
        }
        if (!out) throw std::runtime_error("cannot write " + path);
    }

  private:
    static void Grow(Bytes& bytes, std::int64_t sizeAt, std::int64_t by) {
        const auto at = static_cast<std::size_t>(sizeAt);
        platform::WriteU32(bytes, at,
                           platform::ReadU32(bytes, at) + static_cast<std::uint32_t>(by));
    }
    std::vector<std::pair<std::int64_t, Bytes>> pieces_;
    std::int64_t end_ = 0;
};

}  // namespace

SparseMovie MakeSparseMovie() {
    int seed = 0;
    const auto sound = [&] { return Chunk("01wb", Pattern(64, ++seed)); };
    const Bytes hole = Chunk("JUNK", {});
    const Bytes editable = EditableMovie();  // its headers, JUNK, INFO and display name
    const Bytes headers(editable.begin() + 12, editable.begin() + OffsetOf(editable, "movi") - 8);
    Bytes index;
    for (int k = 0; k < 4; ++k) {
        AppendText(index, "00dc");
        for (const std::uint32_t v : {k % 2 == 0 ? 0x10u : 0u, 0u, 0u}) AppendU32(index, v);
    }
    Bytes first = Riff("AVI ", {List("movi", {Chunk("00dc", Bytes(40, std::byte{0x40})), sound(),
                                              hole, sound(), Chunk("00dc", Bytes(40))}),
                                Chunk("idx1", index)});
    first.insert(first.begin() + 12, headers.begin(), headers.end());
    platform::WriteU32(first, 4, static_cast<std::uint32_t>(first.size() - 8));

    SparseParts parts;
    parts.Add(first, k2GiB + 8);
    parts.Add(Riff("AVIX", {List("movi", {hole, sound()})}), k4GiB + 8);
    parts.Add(Riff("AVIX", {List("movi", {sound(), Chunk("00dc", Bytes(40))}),
                            List("INFO", {Chunk("IART", ToBytes(std::string("Someone\0", 8)))}),
                            Chunk("JUNK", Bytes(20, std::byte{'y'}))}));
    SparseMovie movie{WriteTempFile({}, "big.avi"), parts.Length(), parts.DataOf("01wb")};
    movie.lateJunkData = parts.DataOf("JUNK").back();
    movie.lateItemData = parts.DataOf("IART").back();
    movie.idx1Data = parts.DataOf("idx1").back();
    parts.WriteTo(movie.path);
    return movie;
}

std::optional<std::string> SparseFilesUnsupported() {
    namespace fs = std::filesystem;
    const std::string probe = WriteTempFile({}, "sparse-probe");
    std::error_code error;
    fs::resize_file(probe, 5 * (std::int64_t{1} << 30), error);
    struct stat st {};
    std::optional<std::string> why;
    if (error) {
        why = "the temporary folder cannot hold a 5 GiB file: " + error.message();
    } else if (::stat(probe.c_str(), &st) != 0 || st.st_blocks * 512 > (1 << 20)) {
        why = "the temporary folder's file system does not keep files sparse";
    } else if (fs::space(probe).available < (std::uintmax_t{64} << 20)) {
        why = "less than 64 MiB free in the temporary folder";
    }
    fs::remove(probe);
    return why;
}

Bytes ReadAt(const std::string& path, std::int64_t offset, std::size_t count) {
    std::ifstream in(path, std::ios::binary);
    Bytes bytes(count);
    in.seekg(offset);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    if (!in) throw std::runtime_error("cannot read " + path);
    return bytes;
}

}  // namespace brelvo::testing
