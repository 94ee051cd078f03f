// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli set-delay SECONDS FILE...` or `set-delay --units N FILE...`: rewrites the audio
// stream header's dwStart, the delay of the sound track against the picture.
#include <limits>
#include <optional>

#include "avi/field_patch.h"
#include "cli/command_args.h"
#include "cli/edit_commands.h"
#include "cli/edit_files.h"
#include "cli/number_args.h"
#include "editing/audio_delay.h"
#include "platform/number_text.h"

namespace brelvo::cli {
namespace {

constexpr std::string_view kName = "set-delay";
constexpr std::string_view kSynopsis =
    "set-delay [--dry-run] [--json] [--quiet] (SECONDS | --units N) FILE...";

struct Delay {
    std::optional<double> seconds;
    std::optional<std::int32_t> units;
};

std::string DelayText(std::int32_t units, const avi::StreamHeader& audio) {
    const auto seconds = editing::DelaySecondsOfUnits(units, audio);
    return (seconds ? platform::FormatPattern(*seconds, platform::Pattern::Fixed5) + " s"
                    : std::string("? s")) +
           " (" + std::to_string(units) + " units)";
}

int RunSetDelay(const Args& parsed, CommandIo io) {
    Delay delay;
    auto files = parsed.operands;
    if (const auto u = parsed.values.find("--units"); u != parsed.values.end()) {
        const auto n = ParseWhole(u->second);
        if (!n || *n < 0 || *n > std::numeric_limits<std::int32_t>::max()) {
            throw UsageError("--units takes a whole number from 0 to 2147483647");
        }
        delay.units = static_cast<std::int32_t>(*n);
    } else {
        if (files.empty()) throw UsageError("no SECONDS given");
        delay.seconds = ParseDecimal(files.front());
        if (!delay.seconds) {
            throw UsageError("the delay '" + files.front() + "' is not a number");
        }
        if (*delay.seconds < 0) throw UsageError("a delay cannot be negative");
        files.erase(files.begin());
    }
    RequireFiles(files);
    const auto mode = ModeOf(parsed.DryRun());
    return EditEachFile(
        files, mode, parsed.output, io, [&](const LoadedMovie& movie, CommandIo fileIo) {
            const auto& audio = movie.record.audioHeader;
            if (!audio) throw avi::PatchRefused("the movie has no audio stream header");
            const std::int32_t units =
                delay.units ? *delay.units : editing::DelayUnitsOfSeconds(*delay.seconds, *audio);
            avi::HeaderEdit edit(movie.record);
            const std::int32_t before = editing::AddAudioDelay(edit, units);
            const auto written = avi::ApplyPlan(movie.path, edit.plan, mode);
            fileIo.out << movie.path << ": audio delay " << DelayText(before, *audio) << " -> "
                       << DelayText(units, *audio) << DryRunNote(mode) << '\n';
            const auto seconds = [&](std::int32_t value) {
                const auto s = editing::DelaySecondsOfUnits(value, *audio);
                return s ? nlohmann::ordered_json(*s) : nlohmann::ordered_json(nullptr);
            };
            return EditReport{NumberChanges(written),
                              {{"seconds", {{"old", seconds(before)}, {"new", seconds(units)}}}}};
        });
}

}  // namespace

Command SetDelayCommand() {
    return Declare({
        .name = kName,
        .synopsis = kSynopsis,
        .summary = "Rewrite the audio stream's dwStart (the sound track's delay) in place.",
        .description =
            "Delays the sound track of each movie against the picture by rewriting the audio\n"
            "stream header's dwStart in place. SECONDS is the delay in seconds; dwStart =\n"
            "SECONDS x dwRate / dwScale of the audio stream, rounded (halves to even).",
        .options = {{"--units", "N", "dwStart itself, in the audio stream's units"}, kDryRunOption},
        .jsonObject = "each object: \"dryRun\", the \"changes\" (dwStart with its\n"
                      "0-based \"offset\", \"width\", \"old\" and \"new\" units) and\n"
                      "\"seconds\" {\"old\", \"new\"} (null without a time scale)",
        .notes =
            "0 removes any delay. Each file prints the old and new delay in seconds and units.\n"
            "Note: some players ignore dwStart; check the result in the player you use.",
        .examples = "set-delay 0.25 clip.avi\nset-delay --units 1000 clip1.avi clip2.avi",
        .run = RunSetDelay,
    });
}

}  // namespace brelvo::cli
