// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli set-fourcc [--handler CODE] [--compression CODE] FILE...`: rewrites the video
// stream header's fccHandler and/or the video format's biCompression, four bytes each.
#include <optional>

#include "cli/command_args.h"
#include "cli/edit_commands.h"
#include "cli/edit_files.h"
#include "cli/number_args.h"
#include "editing/codec_tag.h"
#include "platform/ansi_codec.h"

namespace brelvo::cli {
namespace {

constexpr std::string_view kName = "set-fourcc";
constexpr std::string_view kSynopsis =
    "set-fourcc [--handler CODE] [--compression CODE] [--dry-run] [--json] [--quiet] FILE...";

struct Target {
    editing::CodecTarget target;
    std::string bytes;
};

int RunSetFourcc(const Args& parsed, CommandIo io) {
    std::vector<Target> targets;
    for (const auto& [option, target] :
         {std::pair{"--handler", editing::CodecTarget::Handler},
          std::pair{"--compression", editing::CodecTarget::Compression}}) {
        const auto value = parsed.values.find(option);
        if (value == parsed.values.end()) continue;
        if (platform::Utf8Length(value->second) <= 4 && !editing::IsPrintableAscii(value->second)) {
            io.err << "brelvo-cli " << kName << ": " << editing::NotAsciiReason(value->second)
                   << ". Nothing was written.\n";
            return kExitFailure;
        }
        try {
            targets.push_back({target, editing::TypedCodecBytes(value->second)});
        } catch (const std::exception& e) {
            throw UsageError(e.what());
        }
    }
    if (targets.empty()) throw UsageError("give --handler CODE, --compression CODE or both");
    RequireFiles(parsed.operands);
    const auto mode = ModeOf(parsed.DryRun());
    return EditEachFile(
        parsed.operands, mode, parsed.output, io, [&](const LoadedMovie& movie, CommandIo fileIo) {
            avi::HeaderEdit edit(movie.record);
            for (const auto& t : targets) editing::AddCodecTag(edit, t.target, t.bytes);
            EditReport report;
            for (const auto& c : avi::ApplyPlan(movie.path, edit.plan, mode).changes) {
                fileIo.out << movie.path << ": " << c.field.name << ' ' << QuotedFileText(c.before)
                           << " -> " << QuotedFileText(c.after) << DryRunNote(mode) << '\n';
                report.changes.push_back(TextChange(c));
            }
            return report;
        });
}

}  // namespace

Command SetFourccCommand() {
    return Declare({
        .name = kName,
        .synopsis = kSynopsis,
        .summary = "Rewrite the video codec tag (fccHandler, biCompression) in place.",
        .description = "Rewrites the video codec tag of each movie in place.",
        .options = {{"--handler", "CODE", "the video stream header's fccHandler"},
                    {"--compression", "CODE", "the video format's biCompression"},
                    kDryRunOption},
        .jsonObject = "each object: \"dryRun\" and the \"changes\", every field\n"
                      "with its 0-based \"offset\", \"width\", \"old\" and \"new\" code",
        .notes =
            "CODE is written as given, up to four characters, padded with blanks (\"DIB\"\n"
            "becomes \"DIB \"). Each file prints its old and new code; a file without the field\n"
            "is reported and left as it was, and the exit status is then 1.",
        .examples = "set-fourcc --handler XVID --compression XVID clip1.avi clip2.avi",
        .run = RunSetFourcc,
    });
}

}  // namespace brelvo::cli
