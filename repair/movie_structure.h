// SPDX-License-Identifier: GPL-2.0-or-later
// The RIFF structure of a movie as a careful walk finds it: every RIFF and LIST within its
// parent, the idx1 index, what each stream's chunks in the movi lists add up to, and what the
// walk met that does not fit (sizes past the end, bytes in no chunk, a missing pad byte). It
// reads chunk headers only, never stream data, and keeps a bounded amount whatever the movie.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "avi/field_ref.h"
#include "platform/random_access_file.h"
#include "repair/finding.h"

namespace brelvo::repair {

// The chunks of one stream (by its number, the two digits of its chunk ids) in the movi lists.
struct StreamChunks {
    std::int64_t chunks = 0;           // whole chunks: all their data lies in the file
    std::int64_t firstPartChunks = 0;  // of those, the ones in the first RIFF part
    std::int64_t bytes = 0;            // data bytes of the whole chunks
    std::uint32_t largest = 0;         // the largest chunk's data size
};

struct MoviList {
    int part = 0;                 // the RIFF part: 0 for RIFF AVI, 1.. for RIFF AVIX
    std::int64_t typeOffset = 0;  // 0-based offset of the "movi" list type
    std::int64_t end = 0;         // where its chunks end, within the file
};

struct IndexChunk {  // idx1
    std::int64_t dataOffset = 0;
    std::int64_t entries = 0;  // whole 16-byte entries within its size and the file
};

// A header chunk where the structure puts it: in the header list, or in its stream lists.
struct HeaderChunk {
    std::string id;  // "avih", "strh", "strf"
    std::int64_t dataOffset = 0;
    std::int64_t size = 0;  // its data within the file
    int streamList = -1;    // for strh and strf: which LIST strl, in file order
};

struct MovieStructure {
    std::int64_t fileLength = 0;
    std::vector<Finding> findings;      // the walk's own, in file order
    std::vector<avi::FieldRef> fields;  // every field the findings name, as the walk read it
    std::vector<MoviList> moviLists;
    std::map<int, StreamChunks> streams;
    std::uint32_t largestChunk = 0;             // of any stream
    bool moviWalkedWhole = true;                // no bytes in a movi list had to be skipped
    int streamLists = 0;                        // LIST strl in the header list
    bool headerListWhole = false;               // nothing in the header list was skipped
    bool superIndex = false;                    // a stream list holds an OpenDML indx
    std::optional<IndexChunk> idx1;             // in the first RIFF part
    std::optional<FieldValue> odmlTotalFrames;  // dmlh.dwTotalFrames
    std::vector<HeaderChunk> headerChunks;      // in file order
};

// Throws platform::IoError when a read fails.
MovieStructure WalkStructure(platform::RandomAccessFile& file);

// True for the id of a stream data chunk: two digits, then two letters (or "__").
bool IsStreamChunkId(std::span<const std::byte> id);

}  // namespace brelvo::repair
