// SPDX-License-Identifier: GPL-2.0-or-later
// Loading a movie read-only for brelvo-cli.
#include "cli/movie_loader.h"

#include <array>

#include "avi/chunk_ids.h"
#include "avi/decode_headers.h"
#include "avi/scan_chunks.h"
#include "platform/file_system.h"
#include "platform/io_error.h"
#include "platform/little_endian.h"
#include "platform/path_text.h"
#include "platform/random_access_file.h"

namespace brelvo::cli {
namespace {

// A RIFF file of form "AVI " (the walk matches ids in any letter case, so does this check).
bool StartsAsAvi(platform::RandomAccessFile& file) {
    std::array<std::byte, 12> head{};
    if (file.ReadAt(0, head) < head.size()) return false;
    return platform::SameIgnoringCase(platform::ReadFourCC(head, 0), avi::kIdRiff) &&
           platform::SameIgnoringCase(platform::ReadFourCC(head, 8), avi::kListTypeAvi);
}

std::string IoReason(const platform::IoError& e) {
    return "cannot " + std::string(platform::FileOpVerb(e.Op())) + " the file: " + e.Reason();
}

}  // namespace

MovieLoadError::MovieLoadError(const std::string& path, const std::string& reason)
    : std::runtime_error("brelvo-cli: " + path + ": " + reason), path_(path), reason_(reason) {}

std::unique_ptr<platform::RandomAccessFile> OpenMovie(const std::string& path,
                                                      platform::OpenMode mode) {
    if (!platform::FileExists(path)) throw MovieLoadError(path, "no such file");
    if (!platform::IsRegularFile(path)) {
        throw MovieLoadError(path, "not a regular file (a folder or a device)");
    }
    try {
        auto file = platform::OpenFile(path, mode);
        if (!StartsAsAvi(*file)) {
            throw MovieLoadError(path, "not an AVI file (it does not begin with RIFF ... AVI)");
        }
        return file;
    } catch (const platform::IoError& e) {
        throw MovieLoadError(path, IoReason(e));
    }
}

LoadedMovie LoadMovie(const std::string& path) {
    auto file = OpenMovie(path, platform::OpenMode::Read);
    try {
        LoadedMovie movie;
        movie.path = path;
        movie.fileSize = file->Length();
        movie.chunkMap = avi::ScanChunks(*file).chunkMap;
        movie.record = avi::DecodeHeaders(*file, movie.chunkMap);
        return movie;
    } catch (const platform::IoError& e) {
        throw MovieLoadError(path, IoReason(e));
    } catch (const avi::ScanError& e) {
        throw MovieLoadError(path, std::string("the chunk walk failed: ") + e.what());
    } catch (const avi::DecodeError& e) {
        throw MovieLoadError(path, std::string("the headers cannot be decoded: ") + e.what());
    }
}

}  // namespace brelvo::cli
