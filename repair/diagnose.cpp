// SPDX-License-Identifier: GPL-2.0-or-later
// The diagnosis: the structure walk, the header decoding, the index survey, then the checks.
#include "repair/diagnose.h"

#include <algorithm>
#include <charconv>

#include "avi/chunk_ids.h"
#include "avi/decode_headers.h"
#include "avi/scan_chunks.h"
#include "platform/path_text.h"
#include "repair/checks.h"

namespace brelvo::repair {

std::size_t Diagnosis::Faults() const {
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(),
                      [](const Finding& f) { return FindingSeverity(f.code) == Severity::Fault; }));
}

namespace {

// The decoding finds headers by their ids wherever they stand, the structure walk only where
// the lists put them: a header field counts only in the chunk the structure puts there.
bool WhereTheStructurePutsIt(const avi::FieldRef& field, const MovieStructure& s) {
    const auto cut = field.name.find_first_of(".[");
    const std::string kind = field.name.substr(0, cut);
    if (kind != "avih" && kind != "strh" && kind != "strf") return true;
    int stream = -1;
    if (kind != "avih") {
        const char* digits = field.name.data() + cut + 1;
        std::from_chars(digits, field.name.data() + field.name.size(), stream);
    }
    return std::any_of(s.headerChunks.begin(), s.headerChunks.end(), [&](const HeaderChunk& c) {
        return c.id == kind && c.streamList == stream && c.dataOffset <= field.offset &&
               field.offset + field.width <= c.dataOffset + c.size;
    });
}

// A header the byte-wise scan met inside another header's data (an "avih" within the avih)
// would be decoded over the real one, and its fields lie inside the real chunk: only header
// rows that begin where the structure puts a header of their kind are decoded.
void DropHeaderRowsAstray(avi::ChunkMap& map, const MovieStructure& s) {
    std::erase_if(map, [&](const avi::ChunkRow& row) {
        if (row.id != avi::kIdAvih && row.id != avi::kIdStrh && row.id != avi::kIdStrf) {
            return false;
        }
        return std::none_of(
            s.headerChunks.begin(), s.headerChunks.end(), [&](const HeaderChunk& c) {
                return c.dataOffset == row.DataOffset() && platform::SameIgnoringCase(c.id, row.id);
            });
    });
}

// Only the headers found where the lists put them take part in the checks: the decoding's
// byte probe also meets ids inside other data (an "avih" in an index, say), and the last
// header it met would otherwise stand for the movie, and be written.
void KeepHeadersWhereTheStructurePutsThem(avi::HeaderRecord& record, const MovieStructure& s) {
    const auto astray = [&](const avi::FieldRef& f) { return !WhereTheStructurePutsIt(f, s); };
    std::erase_if(record.fields, astray);
    std::erase_if(record.mainHeaders,
                  [&](const avi::MainHeader& h) { return astray(h.microSecPerFrameField); });
    std::erase_if(record.streams, [&](const avi::StreamRecord& stream) {
        return !stream.handlerField.Recorded() || astray(stream.handlerField);
    });
    for (auto& stream : record.streams) {
        if (stream.video && astray(stream.video->compressionField)) stream.video.reset();
    }
}

}  // namespace

Diagnosis Diagnose(platform::RandomAccessFile& file) {
    Diagnosis d;
    MovieStructure structure = WalkStructure(file);
    std::vector<Finding> findings = std::move(structure.findings);
    std::optional<std::string> unreadable;
    avi::ChunkMap map;
    try {
        map = avi::ScanChunks(file).chunkMap;
        DropHeaderRowsAstray(map, structure);
        d.record = avi::DecodeHeaders(file, map);
    } catch (const avi::DecodeError& e) {
        unreadable = e.what();
    } catch (const avi::ScanError& e) {
        unreadable = e.what();
    }
    if (unreadable) {
        // A header cut short or unreadable: the structure checks still hold.
        d.record = avi::HeaderRecord{};
        d.record.loadedLength = file.Length();
        findings.push_back({Code::HeadersUnreadable, 0, {}, *unreadable, false});
    }
    KeepHeadersWhereTheStructurePutsThem(d.record, structure);
    auto& fields = d.record.fields;
    fields.insert(fields.end(), structure.fields.begin(), structure.fields.end());

    std::optional<IndexSurvey> index;
    const auto movi = std::find_if(structure.moviLists.begin(), structure.moviLists.end(),
                                   [](const MoviList& m) { return m.part == 0; });
    if (structure.idx1 && movi != structure.moviLists.end()) {
        index = SurveyIndex(file, *structure.idx1, *movi, fields);
    }
    std::map<int, avi::OdmlIndexCount> odml;
    for (const auto& stream : d.record.streams) {
        if (const auto count = avi::CountOdmlIndex(file, map, stream.strhRow)) {
            odml[stream.index] = *count;
        }
    }
    const CheckInput in{d.record, structure, index ? &*index : nullptr, odml};
    CheckCounts(in, findings);
    CheckFormats(in, findings);
    CheckIndex(in, findings);
    // Where the headers cannot be read, what the sizes enclose is not known either: a size
    // mended now may make a second reading find other headers and other faults, so nothing is
    // mended until the headers read whole.
    if (unreadable) {
        for (auto& f : findings) f.mendable = false;
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.at < b.at; });
    d.findings = std::move(findings);
    return d;
}

}  // namespace brelvo::repair
