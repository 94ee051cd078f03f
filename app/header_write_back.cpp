// Writing the saved header region back.
#include "app/header_write_back.h"

#include <algorithm>
#include <vector>

#include "editing/field_edit.h"
#include "platform/io_error.h"
#include "platform/random_access_file.h"

namespace brelvo::app {

std::size_t WriteBackHeader(const std::string& path, std::span<const std::byte> backup,
                            std::int64_t loadedLength) {
    const auto file = platform::OpenFile(path, platform::OpenMode::ReadWrite);
    editing::RequireLoadedLength(*file, loadedLength);
    const auto length = static_cast<std::size_t>(std::max<std::int64_t>(0, file->Length()));
    const auto bytes = backup.first(std::min(backup.size(), length));
    file->WriteAt(0, bytes);
    if (file->ReadVectorAt(0, bytes.size()) != std::vector<std::byte>(bytes.begin(), bytes.end())) {
        throw platform::IoError(platform::FileOp::Write, path, "the bytes read back differ");
    }
    return bytes.size();
}

}  // namespace brelvo::app
