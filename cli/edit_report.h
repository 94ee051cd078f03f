// SPDX-License-Identifier: GPL-2.0-or-later
// What an edit command reports per file under --json: every field it wrote (or, in a dry run,
// would write) with its 0-based offset, width, old and new value, and the command's own
// figures. Built from the edits' results here, apart from the edits themselves.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "editing/audio_delay.h"
#include "editing/codec_tag.h"
#include "editing/frame_rate.h"
#include "info/author_items.h"

namespace brelvo::cli {

struct FieldChangeReport {
    std::string field;  // "strh[0].fccHandler", "avih.dwMicroSecPerFrame", "IART"
    std::int64_t offset = 0;
    int width = 0;
    nlohmann::ordered_json oldValue;  // a number, or text decoded from Windows-1252
    nlohmann::ordered_json newValue;
};

struct EditReport {
    std::vector<FieldChangeReport> changes;                             // in the order written
    nlohmann::ordered_json figures = nlohmann::ordered_json::object();  // the command's own
};

// {"path", "dryRun", "changes": [{"field", "offset", "width", "old", "new"}...], figures...}.
nlohmann::ordered_json EditJson(const std::string& path, bool dryRun, const EditReport& report);

FieldChangeReport ChangeOf(const editing::CodecTagChange& change);
std::vector<FieldChangeReport> ChangesOf(const editing::FrameRateChange& change);
FieldChangeReport ChangeOf(const editing::AudioDelayChange& change);
// The item's text after any kept display-name type field, trailing NULs left out; the offset
// and width are those of the text.
FieldChangeReport ChangeOf(const info::AuthorItemWrite& item);

}  // namespace brelvo::cli
