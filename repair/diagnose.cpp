// The diagnosis: the structure walk, the header decoding, the index survey, then the checks.
#include "repair/diagnose.h"

#include <algorithm>

#include "avi/decode_headers.h"
#include "avi/scan_chunks.h"
#include "repair/checks.h"

namespace brelvo::repair {

std::size_t Diagnosis::Faults() const {
    return static_cast<std::size_t>(std::count_if(findings.begin(), findings.end(), [](const Finding& f) {
        return FindingSeverity(f.code) == Severity::Fault;
    }));
}

Diagnosis Diagnose(platform::RandomAccessFile& file) {
    Diagnosis d;
    MovieStructure structure = WalkStructure(file);
    std::vector<Finding> findings = std::move(structure.findings);
    std::optional<std::string> unreadable;
    try {
        d.record = avi::DecodeHeaders(file, avi::ScanChunks(file).chunkMap);
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
    auto& fields = d.record.fields;
    fields.insert(fields.end(), structure.fields.begin(), structure.fields.end());

    std::optional<IndexSurvey> index;
    const auto movi = std::find_if(structure.moviLists.begin(), structure.moviLists.end(),
                                   [](const MoviList& m) { return m.part == 0; });
    if (structure.idx1 && movi != structure.moviLists.end()) {
        index = SurveyIndex(file, *structure.idx1, *movi, fields);
    }
    const CheckInput in{d.record, structure, index ? &*index : nullptr};
    CheckCounts(in, findings);
    CheckFormats(in, findings);
    CheckIndex(in, findings);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.at < b.at; });
    d.findings = std::move(findings);
    return d;
}

}  // namespace brelvo::repair
