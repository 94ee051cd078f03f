// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli set-info [--artist T] ... [--display-name T] FILE...`: rewrites the INFO text
// items and the display name in place, each within the room its item already has.
#include <array>
#include <map>
#include <set>

#include "avi/author_item_table.h"
#include "avi/field_patch.h"
#include "cli/command_args.h"
#include "cli/edit_commands.h"
#include "cli/edit_files.h"
#include "cli/number_args.h"
#include "info/author_items.h"

namespace brelvo::cli {
namespace {

constexpr std::string_view kName = "set-info";
constexpr std::string_view kSynopsis =
    "set-info [--artist T] [--comments T] [--copyright T] [--name T] [--product T] "
    "[--source T] [--subject T] [--display-name T] [--dry-run] [--json] [--quiet] FILE...";

// The item options from the table of author items, then --dry-run.
std::vector<OptionSpec> ItemOptions() {
    static const std::vector<std::string> helps = [] {
        std::vector<std::string> texts;
        for (const auto& item : avi::kAuthorItems)
            texts.push_back("the " + std::string(item.id) + " item");
        return texts;
    }();
    std::vector<OptionSpec> options;
    for (std::size_t k = 0; k < avi::kAuthorItems.size(); ++k) {
        options.push_back({avi::kAuthorItems[k].option, "T", helps[k]});
    }
    options.push_back(kDryRunOption);
    return options;
}

// Display text of an item's data: the text behind a kept type field, up to the first NUL.
std::string ItemText(const std::string& bytes, std::size_t typeFieldBytes) {
    return QuotedFileText(std::string_view(bytes).substr(typeFieldBytes));
}

// Throws avi::PatchRefused naming every asked-for item the change cannot write.
void RequireEveryItem(const info::AuthorItemsChange& change,
                      const std::map<std::string, std::string>& texts) {
    std::string missing;
    for (const auto& [id, text] : texts) {
        bool written = false;
        for (const auto& item : change.items) written = written || item.id == id;
        if (written) continue;
        std::string reason = "the file has no " + id + " item (items are never added)";
        for (const auto& s : change.skipped) {
            if (s.id == id) reason = "the " + id + " item cannot be written: " + s.reason;
        }
        missing += (missing.empty() ? "" : "; ") + reason;
    }
    if (!missing.empty()) throw avi::PatchRefused(missing);
}

int RunSetInfo(const Args& parsed, CommandIo io) {
    std::map<std::string, std::string> texts;
    for (const auto& item : avi::kAuthorItems) {
        const auto value = parsed.values.find(std::string(item.option));
        if (value != parsed.values.end()) texts[std::string(item.id)] = value->second;
    }
    if (texts.empty()) throw UsageError("give at least one item, such as --artist T");
    RequireFiles(parsed.operands);
    const auto mode = ModeOf(parsed.DryRun());
    return EditEachFile(
        parsed.operands, mode, parsed.output, io, [&](const LoadedMovie& movie, CommandIo fileIo) {
            avi::HeaderEdit edit(movie.record);
            const auto change = info::AddAuthorItems(edit, texts);
            RequireEveryItem(change, texts);
            const auto written = avi::ApplyPlan(movie.path, edit.plan, mode);
            EditReport report;
            auto& cut = report.figures["cut"] = nlohmann::ordered_json::array();
            for (std::size_t k = 0; k < change.items.size(); ++k) {
                const auto& item = change.items[k];
                auto itemChange = TextChange(written.changes[k], item.typeFieldBytes);
                itemChange.field = item.id;
                report.changes.push_back(std::move(itemChange));
                if (item.cut) {
                    cut.push_back(item.id);
                    fileIo.err << "brelvo-cli: " << movie.path << ": warning: the text for "
                               << item.id << " was cut to the "
                               << item.field.width - static_cast<int>(item.typeFieldBytes)
                               << " bytes its item holds\n";
                }
                fileIo.out << movie.path << ": " << item.id << ' '
                           << ItemText(written.changes[k].before, item.typeFieldBytes) << " -> "
                           << ItemText(item.newBytes, item.typeFieldBytes) << DryRunNote(mode)
                           << '\n';
            }
            return report;
        });
}

}  // namespace

Command SetInfoCommand() {
    return Declare({
        .name = kName,
        .synopsis = kSynopsis,
        .summary =
            "Rewrite the INFO author items and the display name in place, never resizing them.",
        .description = "Rewrites author items of each movie in place.",
        .options = ItemOptions(),
        .jsonObject = "each object: \"dryRun\", the \"changes\" (every item's text\n"
                      "with its 0-based \"offset\", \"width\", \"old\" and \"new\"\n"
                      "text, padding included) and \"cut\", the items whose text\n"
                      "was cut",
        .notes =
            "Items keep their size: a shorter text is padded with blanks and ends in one NUL, a\n"
            "longer one is cut to the item's size (with a warning). Texts are written in the\n"
            "Windows-1252 code page; a character it cannot hold becomes \"?\". An item the file\n"
            "does not hold is never added: the file is reported, left as it was, and the exit\n"
            "status is 1. A display name keeps its leading type field.",
        .examples = "set-info --artist \"Jane Doe\" --copyright \"(c) 2024\" clip*.avi",
        .run = RunSetInfo,
    });
}

}  // namespace brelvo::cli
