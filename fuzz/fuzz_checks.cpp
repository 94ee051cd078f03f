// SPDX-License-Identifier: GPL-2.0-or-later
// Shared checks of the harnesses.
#include "fuzz/fuzz_checks.h"

#include <algorithm>
#include <exception>

#include "audio/audio_error.h"
#include "avi/decode_headers.h"
#include "avi/field_patch.h"
#include "avi/scan_chunks.h"
#include "fuzz/fuzz_targets.h"
#include "platform/io_error.h"

namespace brelvo::fuzz {

ByteRegion RegionOfField(const avi::FieldRef& field) {
    return {field.offset, field.width};
}

void Require(bool condition, const std::string& what) {
    if (!condition) throw InvariantBroken(what);
}

bool Refusable(const std::function<void()>& operation) {
    try {
        operation();
        return true;
    } catch (const platform::IoError& e) {
        Require(e.Op() != platform::FileOp::Write, std::string("a write was attempted past the "
                                                               "end of the file: ") +
                                                       e.what());
    } catch (const avi::ScanError&) {
    } catch (const avi::DecodeError&) {
    } catch (const avi::PatchRefused&) {
    } catch (const audio::AudioError&) {
    }
    return false;
}

namespace {

// True when the regions together cover [offset, offset + size).
bool Covered(std::int64_t offset, std::int64_t size, const std::vector<ByteRegion>& regions) {
    std::int64_t at = offset;
    const std::int64_t end = offset + size;
    while (at < end) {
        const auto region = std::find_if(regions.begin(), regions.end(), [&](const ByteRegion& r) {
            return at >= r.offset && at < r.offset + r.size;
        });
        if (region == regions.end()) return false;
        at = region->offset + region->size;
    }
    return true;
}

}  // namespace

WatchedFile::WatchedFile(std::vector<std::byte> bytes, std::string path)
    : plan_(std::make_shared<platform::FaultPlan>()) {
    auto memory = std::make_unique<platform::MemoryFile>(std::move(bytes), std::move(path));
    memory_ = memory.get();
    file_ = platform::WithFaults(std::move(memory), plan_);
}

void RequireConfinedWrites(WatchedFile& file, const std::vector<ByteRegion>& regions,
                           const std::string& what, const std::function<void()>& writer,
                           bool refusalWritesNothing) {
    const std::size_t writesBefore = file.Journal().size();
    const std::size_t length = file.Bytes().size();
    bool refusedEarly = false;
    std::exception_ptr failure;  // checked like a success, then passed on
    try {
        writer();
    } catch (const avi::PatchRefused&) {
        refusedEarly = true;
    } catch (...) {
        failure = std::current_exception();
    }
    Require(file.Bytes().size() == length, what + " changed the length of the file");
    if (refusedEarly && refusalWritesNothing) {
        Require(file.Journal().size() == writesBefore,
                what + " was refused but wrote into the file");
    }
    RequireWritesWithin(file, regions, what, writesBefore);
    if (failure) std::rethrow_exception(failure);
}

void RequireWritesWithin(const WatchedFile& file, const std::vector<ByteRegion>& regions,
                         const std::string& what, std::size_t firstWrite) {
    const auto& journal = file.Journal();
    for (std::size_t k = firstWrite; k < journal.size(); ++k) {
        const auto& write = journal[k];
        Require(Covered(write.offset, static_cast<std::int64_t>(write.bytes.size()), regions),
                what + " wrote " + std::to_string(write.bytes.size()) + " bytes at " +
                    std::to_string(write.offset) + ", outside the fields it edits");
    }
}

}  // namespace brelvo::fuzz
