// SPDX-License-Identifier: GPL-2.0-or-later
// Parsing, help and usage of the declared commands.
#include "cli/command_args.h"

#include <algorithm>
#include <memory>
#include <sstream>

namespace brelvo::cli {
namespace {

constexpr std::size_t kHelpColumn = 22;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "-5", "-.5": a negative number, which the command refuses with a reason of its own.
bool LooksNegativeNumber(std::string_view arg) {
    return arg.size() > 1 && arg[0] == '-' && (IsDigit(arg[1]) || arg[1] == '.');
}

const OptionSpec* FindOption(const CommandSpec& spec, std::string_view name) {
    const auto found = std::find_if(spec.options.begin(), spec.options.end(), [&](const auto& o) {
        return o.name == name || (!o.alias.empty() && o.alias == name);
    });
    return found == spec.options.end() ? nullptr : &*found;
}

// "  LABEL" padded to the help column, then the help, its further lines indented to it.
void PrintEntry(std::ostream& out, const std::string& label, std::string_view help) {
    out << "  " << label;
    if (label.size() + 2 >= kHelpColumn) {
        out << '\n' << std::string(kHelpColumn, ' ');
    } else {
        out << std::string(kHelpColumn - 2 - label.size(), ' ');
    }
    for (std::size_t start = 0; start <= help.size();) {
        const auto end = std::min(help.find('\n', start), help.size());
        if (start > 0) out << std::string(kHelpColumn, ' ');
        out << help.substr(start, end - start) << '\n';
        start = end + 1;
    }
}

}  // namespace

int ReportUsage(CommandIo io, std::string_view name, std::string_view synopsis,
                std::string_view message) {
    io.err << "brelvo-cli " << name << ": " << message << "\nUsage: brelvo-cli " << synopsis
           << "\nRun 'brelvo-cli " << name << " --help' for more.\n";
    return kExitUsage;
}

Args ParseArgs(const CommandSpec& spec, const std::vector<std::string>& args) {
    Args parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-' || LooksNegativeNumber(arg)) {
            parsed.operands.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            parsed.help = true;
        } else if (!TakeOutputOption(arg, parsed.output)) {
            const auto equals = arg.find('=');
            const std::string name = arg.substr(0, equals);
            const OptionSpec* option = FindOption(spec, name);
            if (option == nullptr || (option->value.empty() && equals != std::string::npos)) {
                throw UsageError("unknown option '" + name + "'");
            }
            if (option->value.empty()) {
                parsed.flags[std::string(option->name)] = true;
                continue;
            }
            std::string value;
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                throw UsageError("the option '" + name + "' needs a value");
            }
            if (!parsed.values.emplace(option->name, value).second) {
                throw UsageError("the option '" + name + "' is given twice");
            }
        }
    }
    return parsed;
}

void RequireFiles(const std::vector<std::string>& files) {
    if (files.empty()) throw UsageError("no file given");
}

std::string HelpText(const CommandSpec& spec) {
    std::ostringstream out;
    out << "Usage: brelvo-cli " << spec.synopsis << '\n' << spec.description << "\n\nOptions:\n";
    for (const auto& o : spec.options) {
        std::string label(o.alias.empty() ? "" : std::string(o.alias) + ", ");
        label += o.name;
        if (!o.value.empty()) label += " " + std::string(o.value);
        PrintEntry(out, label, o.help);
    }
    out << JsonOptionHelp();
    if (!spec.jsonObject.empty()) PrintEntry(out, "", spec.jsonObject);
    out << QuietOptionHelp();
    PrintEntry(out, "-h, --help", "this text");
    if (!spec.notes.empty()) out << '\n' << spec.notes << '\n';
    const bool several = std::count(spec.examples.begin(), spec.examples.end(), '\n') > 0;
    out << (several ? "\nExamples:\n" : "\nExample:\n");
    for (std::size_t start = 0; start <= spec.examples.size();) {
        const auto end = std::min(spec.examples.find('\n', start), spec.examples.size());
        out << "  brelvo-cli " << spec.examples.substr(start, end - start) << '\n';
        start = end + 1;
    }
    return out.str();
}

Command Declare(CommandSpec declared) {
    auto spec = std::make_shared<const CommandSpec>(std::move(declared));
    return {spec->name, spec->synopsis, spec->summary,
            [spec](const std::vector<std::string>& args, CommandIo io) {
                try {
                    const Args parsed = ParseArgs(*spec, args);
                    if (parsed.help) {
                        io.out << HelpText(*spec);
                        return kExitOk;
                    }
                    return spec->run(parsed, io);
                } catch (const UsageError& e) {
                    return ReportUsage(io, spec->name, spec->synopsis, e.what());
                }
            }};
}

}  // namespace brelvo::cli
