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

void RequireConfinedWrites(platform::MemoryFile& file, const std::vector<ByteRegion>& regions,
                           const std::string& what, const std::function<void()>& writer,
                           bool refusalWritesNothing) {
    const std::vector<std::byte> before = file.Bytes();
    bool refusedEarly = false;
    std::exception_ptr failure;  // checked like a success, then passed on
    try {
        writer();
    } catch (const avi::PatchRefused&) {
        refusedEarly = true;
    } catch (...) {
        failure = std::current_exception();
    }
    const auto& after = file.Bytes();
    Require(after.size() == before.size(), what + " changed the length of the file");
    if (refusedEarly && refusalWritesNothing) {
        Require(after == before, what + " was refused but wrote into the file");
    }
    if (after == before) {
        if (failure) std::rethrow_exception(failure);
        return;
    }
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] == before[i]) continue;
        const auto at = static_cast<std::int64_t>(i);
        const bool inside = std::any_of(regions.begin(), regions.end(), [&](const ByteRegion& r) {
            return at >= r.offset && at < r.offset + r.size;
        });
        Require(inside,
                what + " changed byte " + std::to_string(at) + ", outside the fields it edits");
    }
    if (failure) std::rethrow_exception(failure);
}

}  // namespace brelvo::fuzz
