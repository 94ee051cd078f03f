// SPDX-License-Identifier: GPL-2.0-or-later
// What every command prints per file: lines for people on stdout, or with --json one array
// that holds one object per file in the order given (a failed file included); failures go to
// stderr in both cases, each in its place among the files.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/cli_commands.h"

namespace brelvo::cli {

// The options of every command that choose its output.
struct OutputOptions {
    bool json = false;   // --json: one JSON array on stdout instead of the lines
    bool quiet = false;  // -q, --quiet: no lines on stdout, only failures and warnings on stderr
};

// Takes "--json", "-q" or "--quiet" into `options`; false for any other argument.
bool TakeOutputOption(std::string_view arg, OutputOptions& options);

// The help lines of the two options, for each command's --help; the command describes its
// objects below the first.
std::string_view JsonOptionHelp();
std::string_view QuietOptionHelp();

class FileReports {
  public:
    FileReports(CommandIo io, OutputOptions options);
    FileReports(const FileReports&) = delete;
    FileReports& operator=(const FileReports&) = delete;

    // Where the lines for people go: stdout, or nowhere under --json or --quiet. Warnings
    // still go to Io().err.
    CommandIo Io() { return {Lines(), io_.err}; }
    std::ostream& Lines() { return shown_ ? io_.out : discard_; }
    bool Quiet() const { return options_.quiet; }

    // One file's result.
    void Add(nlohmann::ordered_json report);
    // "brelvo-cli: PATH: REASON" on stderr, after whatever stdout holds so far, and
    // {"path": PATH, "error": REASON, ...extra} in the array; the run then exits with 1.
    void Fail(const std::string& path, const std::string& reason,
              nlohmann::ordered_json extra = nlohmann::ordered_json::object());
    // Prints the array under --json; kExitFailure when a file failed, kExitOk otherwise.
    int Finish();

  private:
    CommandIo io_;
    OutputOptions options_;
    bool shown_;
    std::ostream discard_{nullptr};
    nlohmann::ordered_json reports_ = nlohmann::ordered_json::array();
    bool failed_ = false;
};

// The JSON text as printed: indented, and a byte sequence that is not UTF-8 (a path) shown
// as U+FFFD instead of ending the output.
std::string JsonText(const nlohmann::ordered_json& json);

}  // namespace brelvo::cli
