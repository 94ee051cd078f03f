// SPDX-License-Identifier: GPL-2.0-or-later
// Movies of more than 4 GiB that take a few kilobytes of disk: the chunks are laid out by
// offset, only their headers and small payloads are written, and JUNK chunks span the holes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/riff_builder.h"

namespace brelvo::testing {

inline constexpr std::int64_t k2GiB = std::int64_t{1} << 31;
inline constexpr std::int64_t k4GiB = std::int64_t{1} << 32;

class SparseLayout {
  public:
    std::int64_t Here() const { return here_; }
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

// Where the big movie's interesting bytes lie.
struct SparseMovie {
    std::string path;
    std::int64_t length = 0;
    std::vector<std::int64_t> audioPayloads;  // the sound chunks' data, in file order
    std::int64_t audioPayloadSize = 0;
    std::int64_t lateJunkData = 0;  // a JUNK chunk's data past 4 GiB
    std::int64_t lateItemData = 0;  // an IART item's data past 4 GiB
    std::int64_t idx1Data = 0;
};

// Headers at the start, then RIFF "AVIX" parts that begin past 2 GiB and past 4 GiB, with a
// sound chunk past each boundary and an INFO list and JUNK chunk in the last part. With
// `onePart`, the movie is instead one RIFF "AVI " larger than 2 GiB (an old writer's file),
// its idx1 past 2 GiB.
SparseMovie MakeSparseMovie(bool onePart = false);

// Nothing when the temporary folder can hold sparse files of 5 GiB; else why not.
std::optional<std::string> SparseFilesUnsupported();

// Bytes of a file at an offset, read with the system's positioned read.
Bytes ReadAt(const std::string& path, std::int64_t offset, std::size_t count);

}  // namespace brelvo::testing
