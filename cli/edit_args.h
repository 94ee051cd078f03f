// SPDX-License-Identifier: GPL-2.0-or-later
// The arguments of an edit command: options with a value ("--handler XVID", "--units=8"),
// "--dry-run", "--json", "--quiet", "--help", the leading values (a rate, a delay) and the files.
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/file_reports.h"

namespace brelvo::cli {

struct EditArgs {
    std::map<std::string, std::string> values;  // option -> its value, e.g. "--handler" -> "XVID"
    std::vector<std::string> operands;          // values and files, in the order given
    OutputOptions output;                       // --json, --quiet
    bool dryRun = false;
    bool help = false;
};

// "--" ends the options; an argument such as "-0.5" is an operand, not an option. Throws
// UsageError for an unknown option, a missing value or an option given twice.
EditArgs ParseEditArgs(const std::vector<std::string>& args,
                       std::initializer_list<std::string_view> valueOptions);

// A decimal number written out in full ("29.97", "0.5", "-1"), the point or the locale's
// separator before the decimals; nothing for any other text.
std::optional<double> ParseDecimal(std::string_view text);
// A whole number in full ("30000"); nothing for any other text or one beyond 64 bits.
std::optional<long long> ParseWhole(std::string_view text);

}  // namespace brelvo::cli
