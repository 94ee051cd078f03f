// SPDX-License-Identifier: GPL-2.0-or-later
// Runs brelvo-cli in-process with string streams, and ffprobe on what it wrote.
#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"

namespace brelvo::cli::testing {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliResult Cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    CliResult result;
    result.status = RunCli(args, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

// stdout and stderr in one stream, as a terminal shows them.
inline std::string CliInterleaved(const std::vector<std::string>& args) {
    std::ostringstream both;
    RunCli(args, both, both);
    return both.str();
}

// The words of `line`, split at spaces, with FILE standing for `file`.
inline std::vector<std::string> Words(const std::string& line, const std::string& file) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;) words.push_back(word == "FILE" ? file : word);
    return words;
}

inline std::string Beside(const std::string& path, const std::string& name) {
    return (std::filesystem::path(path).parent_path() / name).string();
}

// What ffprobe prints for the movie with these options, or nothing when it is not installed.
inline std::optional<std::string> Ffprobe(const std::string& options, const std::string& path) {
    if (std::system("command -v ffprobe >/dev/null 2>&1") != 0) return std::nullopt;
    const std::string command = "ffprobe -v error " + options + " '" + path + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    std::array<char, 256> buffer{};
    while (pipe && fgets(buffer.data(), buffer.size(), pipe.get()) != nullptr) out += buffer.data();
    return out;
}

}  // namespace brelvo::cli::testing
