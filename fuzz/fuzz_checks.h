// What the harnesses share: the errors by which the core refuses bad input (anything else
// escaping is a fault), byte regions, and the check that an operation changed nothing outside
// the bytes it owns.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "avi/field_ref.h"
#include "platform/memory_file.h"

namespace brelvo::fuzz {

struct ByteRegion {
    std::int64_t offset = 0;
    std::int64_t size = 0;
};
ByteRegion RegionOfField(const avi::FieldRef& field);

// Throws InvariantBroken with the text when the condition is false.
void Require(bool condition, const std::string& what);

// Runs the operation; the core's own refusals (typed errors) end it quietly, anything else
// propagates. An in-memory file refuses to grow, so a write past its end is a fault, not a
// refusal. Returns true when the operation ran to its end.
bool Refusable(const std::function<void()>& operation);

// Runs a writer on the file and requires that it changed only bytes inside the regions, kept
// the length, and wrote nothing when it refused (a refusal before the first write).
void RequireConfinedWrites(platform::MemoryFile& file, const std::vector<ByteRegion>& regions,
                           const std::string& what, const std::function<void()>& writer,
                           bool refusalWritesNothing);

}  // namespace brelvo::fuzz
