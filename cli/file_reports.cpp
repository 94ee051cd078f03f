// SPDX-License-Identifier: GPL-2.0-or-later
// Collecting and printing the reports of a command's files.
#include "cli/file_reports.h"

namespace brelvo::cli {

bool TakeOutputOption(std::string_view arg, OutputOptions& options) {
    if (arg == "--json") {
        options.json = true;
    } else if (arg == "-q" || arg == "--quiet") {
        options.quiet = true;
    } else {
        return false;
    }
    return true;
}

std::string_view JsonOptionHelp() {
    return "  --json              one JSON array on stdout, an object per file in the order\n"
           "                      given, {\"path\", \"error\"} for a file that failed;\n";
}

std::string_view QuietOptionHelp() {
    return "  -q, --quiet         print only failures and warnings\n";
}

FileReports::FileReports(CommandIo io, OutputOptions options)
    : io_(io), options_(options), shown_(!options.json && !options.quiet) {}

void FileReports::Add(nlohmann::ordered_json report) {
    if (options_.json) reports_.push_back(std::move(report));
}

void FileReports::Fail(const std::string& path, const std::string& reason,
                       nlohmann::ordered_json extra) {
    failed_ = true;
    io_.out.flush();  // so the line stands where the file's lines would have been
    io_.err << "brelvo-cli: " << path << ": " << reason << '\n';
    if (!options_.json) return;
    nlohmann::ordered_json failure = {{"path", path}};
    failure.update(extra);
    failure["error"] = reason;
    reports_.push_back(std::move(failure));
}

int FileReports::Finish() {
    if (options_.json) io_.out << JsonText(reports_) << '\n';
    io_.out.flush();
    return failed_ ? kExitFailure : kExitOk;
}

std::string JsonText(const nlohmann::ordered_json& json) {
    return json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace brelvo::cli
