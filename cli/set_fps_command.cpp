// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli set-fps RATE FILE...`: rewrites the video frame rate (dwRate, and dwScale for
// an exact fraction) with the main header's dwMicroSecPerFrame, and prints the audio stretch
// that would keep the sound track in step.
#include <limits>
#include <optional>

#include "cli/command_args.h"
#include "cli/edit_commands.h"
#include "cli/edit_files.h"
#include "cli/number_args.h"
#include "editing/audio_stretch.h"
#include "editing/frame_rate.h"
#include "platform/number_text.h"

namespace brelvo::cli {
namespace {

constexpr std::string_view kName = "set-fps";
constexpr std::string_view kSynopsis = "set-fps [--dry-run] [--json] [--quiet] RATE FILE...";

struct Rate {
    std::int64_t rate = 0;
    std::int32_t scale = editing::kRateScale;
};

Rate ParseRate(const std::string& text) {
    const auto slash = text.find('/');
    Rate r;
    if (slash != std::string::npos) {
        const auto n = ParseWhole(std::string_view(text).substr(0, slash));
        const auto d = ParseWhole(std::string_view(text).substr(slash + 1));
        if (!n || !d) throw UsageError("the rate '" + text + "' is not N/D with whole numbers");
        if (*d <= 0 || *d > std::numeric_limits<std::int32_t>::max()) {
            throw UsageError("the denominator of '" + text + "' must be 1 to 2147483647");
        }
        r.rate = *n;
        r.scale = static_cast<std::int32_t>(*d);
    } else {
        const auto value = ParseDecimal(text);
        if (!value) throw UsageError("the rate '" + text + "' is not a number");
    }
    try {
        if (slash == std::string::npos) {
            r.rate = editing::TypedVideoRate(text);
            if (ParseDecimal(text) == 0.0) r.rate = 0;  // the window's "0 means 10" is not ours
        }
        editing::FrameRateFieldsFor(r.rate, r.scale);
    } catch (const std::exception& e) {
        throw UsageError(e.what());
    }
    return r;
}

std::string RateText(const editing::FrameRateFields& f) {
    const double fps = f.scale == 0 ? 0.0 : static_cast<double>(f.rate) / f.scale;
    return platform::FormatPattern(fps, platform::Pattern::Fixed4) + " fps (" +
           std::to_string(f.rate) + "/" + std::to_string(f.scale) + ")";
}

// Prints the change and returns its report.
EditReport ReportChange(CommandIo io, const LoadedMovie& movie, const editing::FrameRateChange& c,
                        const avi::PlanReport& written, avi::WriteMode mode) {
    io.out << movie.path << ": frame rate " << RateText(c.before) << " -> " << RateText(c.after)
           << ", dwMicroSecPerFrame " << c.before.microSecPerFrame << " -> "
           << c.after.microSecPerFrame << DryRunNote(mode) << '\n';
    const auto& audio = movie.record.audioHeader;
    const auto length = audio ? editing::AudioLengthSeconds(*audio) : std::nullopt;
    const auto percent =
        length ? editing::StretchPercent(movie.record.totalFrames, c.FramesPerSecBefore(),
                                         c.FramesPerSecAfter(), *length)
               : std::nullopt;
    EditReport report{NumberChanges(written),
                      {{"stretchPercent", percent ? nlohmann::ordered_json(*percent) : nullptr},
                       {"soundSeconds", length ? nlohmann::ordered_json(*length) : nullptr}}};
    io.out << movie.path << ": audio: ";
    if (percent) {
        io.out << editing::StretchText(*percent) << " (sound track of "
               << platform::FormatPattern(*length, platform::Pattern::Fixed4) << " s)\n";
    } else if (!audio) {
        io.out << "no audio stream, nothing to stretch\n";
    } else {
        io.out << "no stretch figure (the audio stream header gives no length)\n";
    }
    return report;
}

int RunSetFps(const Args& parsed, CommandIo io) {
    if (parsed.operands.empty()) throw UsageError("no RATE given");
    const Rate rate = ParseRate(parsed.operands.front());
    const std::vector<std::string> files(parsed.operands.begin() + 1, parsed.operands.end());
    RequireFiles(files);
    const auto mode = ModeOf(parsed.DryRun());
    return EditEachFile(files, mode, parsed.output, io,
                        [&](const LoadedMovie& movie, CommandIo fileIo) {
                            avi::HeaderEdit edit(movie.record);
                            const auto change = editing::AddFrameRate(edit, rate.rate, rate.scale);
                            const auto written = avi::ApplyPlan(movie.path, edit.plan, mode);
                            return ReportChange(fileIo, movie, change, written, mode);
                        });
}

}  // namespace

Command SetFpsCommand() {
    return Declare({
        .name = kName,
        .synopsis = kSynopsis,
        .summary = "Rewrite the video frame rate and frame time in place; print the audio stretch.",
        .description =
            "Rewrites the frame rate of each movie in place. RATE is either\n"
            "  a decimal number such as 29.97: written as dwScale 10000 and dwRate the rate\n"
            "      in ten-thousandths, rounded down (23.97659 gives 239765), or\n"
            "  an exact fraction N/D such as 30000/1001: dwScale D and dwRate N.\n"
            "The main header's dwMicroSecPerFrame follows the new rate; nothing else changes.\n"
            "Each file prints its old and new rate and the audio stretch that would keep the\n"
            "sound track (its length as the audio stream header gives it) in step.",
        .options = {kDryRunOption},
        .jsonObject = "each object: \"dryRun\", the \"changes\" (every field with\n"
                      "its 0-based \"offset\", \"width\", \"old\" and \"new\" value),\n"
                      "\"stretchPercent\" and \"soundSeconds\" (null when unknown)",
        .examples = "set-fps 30000/1001 clip1.avi clip2.avi",
        .run = RunSetFps,
    });
}

}  // namespace brelvo::cli
