// SPDX-License-Identifier: GPL-2.0-or-later
// Parsing the arguments of the edit commands.
#include "cli/edit_args.h"

#include <algorithm>
#include <charconv>

#include "cli/command_args.h"
#include "platform/number_text.h"

namespace brelvo::cli {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "-5", "-.5": a negative number, which the command refuses with a reason of its own.
bool LooksNegativeNumber(std::string_view arg) {
    return arg.size() > 1 && arg[0] == '-' && (IsDigit(arg[1]) || arg[1] == '.');
}

}  // namespace

EditArgs ParseEditArgs(const std::vector<std::string>& args,
                       std::initializer_list<std::string_view> valueOptions) {
    EditArgs parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-' || LooksNegativeNumber(arg)) {
            parsed.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            parsed.help = true;
        } else if (arg == "--dry-run" || arg == "-n") {
            parsed.dryRun = true;
        } else if (TakeOutputOption(arg, parsed.output)) {
            // taken into parsed.output
        } else {
            const auto equals = arg.find('=');
            const std::string name = arg.substr(0, equals);
            if (std::find(valueOptions.begin(), valueOptions.end(), name) == valueOptions.end()) {
                throw UsageError("unknown option '" + name + "'");
            }
            std::string value;
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                throw UsageError("the option '" + name + "' needs a value");
            }
            if (!parsed.values.emplace(name, value).second) {
                throw UsageError("the option '" + name + "' is given twice");
            }
        }
    }
    return parsed;
}

std::optional<double> ParseDecimal(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const auto digitsFrom = [&](std::size_t from) {
        while (i < text.size() && IsDigit(text[i])) ++i;
        return i > from;
    };
    bool digits = digitsFrom(i);
    if (i < text.size() && (text[i] == '.' || text[i] == platform::DecimalSeparator())) {
        ++i;
        digits = digitsFrom(i) || digits;
    }
    if (!digits || i != text.size()) return std::nullopt;
    return platform::ReadLeadingNumber(text);
}

std::optional<long long> ParseWhole(std::string_view text) {
    long long value = 0;
    const auto* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

}  // namespace brelvo::cli
