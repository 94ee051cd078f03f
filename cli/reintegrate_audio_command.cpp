// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli reintegrate-audio [--jink SECONDS] [--force] FILE IN.wav`: writes the samples
// of a WAV file back over the payloads of the movie's audio chunks, in place.
#include <algorithm>
#include <filesystem>
#include <optional>

#include "audio/reintegrate_audio.h"
#include "audio/wav_check.h"
#include "cli/audio_command_support.h"
#include "cli/audio_commands.h"
#include "cli/command_args.h"
#include "cli/edit_args.h"
#include "cli/edit_files.h"

namespace brelvo::cli {
namespace {

constexpr std::string_view kName = "reintegrate-audio";
constexpr std::string_view kSynopsis =
    "reintegrate-audio [--dry-run] [--jink SECONDS] [--force] [--json] [--quiet] FILE IN.wav";

void PrintHelp(std::ostream& out) {
    out << "Usage: brelvo-cli " << kSynopsis
        << "\n"
           "Writes the samples of IN.wav back over the payloads of the movie's audio chunks, in\n"
           "file order and in place: no chunk moves or changes size, nothing else is written.\n"
           "This cannot be undone. When the WAV file's format chunk differs from the movie's\n"
           "sound format, or it holds fewer or more sample bytes than the audio chunks, nothing\n"
           "is written unless --force is given (missing samples become zero bytes, extra ones\n"
           "are left out).\n"
           "  --jink SECONDS   drop SECONDS x dwRate / dwScale bytes from the WAV file's start,\n"
           "                   moving the sound earlier against the picture\n"
           "  --force          write even when the WAV file does not match\n"
           "  --dry-run, -n    compare only, write nothing\n"
        << JsonOptionHelp()
        << "                      the object: \"path\", \"wav\", \"stream\", \"dryRun\", the\n"
           "                      \"mismatch\" found (null when the WAV file matches),\n"
           "                      \"wavBytes\", \"movieBytes\", \"chunks\" and, once written,\n"
           "                      \"bytesWritten\", \"bytesChanged\", \"zeroFilled\",\n"
           "                      \"bytesDropped\" and \"forced\"\n"
        << QuietOptionHelp()
        << "\n"
           "Examples:\n"
           "  brelvo-cli extract-audio clip.avi sound.wav   (edit sound.wav, keep its length)\n"
           "  brelvo-cli reintegrate-audio clip.avi sound.wav\n"
           "  brelvo-cli reintegrate-audio --jink 0.5 clip.avi sound.wav\n";
}

struct Request {
    std::string moviePath;
    std::string wavPath;
    std::optional<double> jinkSeconds;
    bool force = false;
    bool dryRun = false;
    bool help = false;
    OutputOptions output;
};

// Throws UsageError.
Request Parse(std::vector<std::string> args) {
    Request request;
    const auto optionsEnd = std::find(args.begin(), args.end(), "--");
    const auto force = std::find(args.begin(), optionsEnd, "--force");
    if (force != optionsEnd) {
        request.force = true;
        args.erase(force);
    }
    const EditArgs parsed = ParseEditArgs(args, {"--jink"});
    request.help = parsed.help;
    request.dryRun = parsed.dryRun;
    request.output = parsed.output;
    if (request.help) return request;
    if (const auto jink = parsed.values.find("--jink"); jink != parsed.values.end()) {
        request.jinkSeconds = ParseDecimal(jink->second);
        if (!request.jinkSeconds) throw UsageError("--jink takes a number of seconds");
    }
    if (parsed.operands.size() != 2) throw UsageError("give the movie and the WAV file to read");
    request.moviePath = parsed.operands[0];
    request.wavPath = parsed.operands[1];
    if (auto problem = WavNameProblem("IN.wav", request.wavPath)) throw UsageError(*problem);
    return request;
}

std::string Summary(const audio::ReintegrationResult& r, int stream) {
    std::string text = std::to_string(r.bytesWritten) + " sample bytes written into " +
                       std::to_string(r.chunks) + " audio chunks of stream " +
                       std::to_string(stream);
    if (r.skippedBytes > 0)
        text += ", " + std::to_string(r.skippedBytes) + " bytes dropped by --jink";
    if (r.zeroFilled > 0) text += ", " + std::to_string(r.zeroFilled) + " bytes filled with zeros";
    // Bytes the movie already held are not rewritten.
    return text + " (" + std::to_string(r.bytesChanged) + " bytes changed)";
}

int RunReintegrateAudio(const std::vector<std::string>& args, CommandIo io) {
    Request request;
    try {
        request = Parse(args);
    } catch (const UsageError& e) {
        return ReportUsage(io, kName, kSynopsis, e.what());
    }
    if (request.help) {
        PrintHelp(io.out);
        return kExitOk;
    }
    const std::string& movie = request.moviePath;
    FileReports reports(io, request.output);
    audio::AudioTrack track;
    audio::WavComparison comparison;
    nlohmann::ordered_json report;
    try {
        track = SoundTrackOf(movie);
        comparison = audio::CompareWavWithMovie(movie, track, request.wavPath);
        const auto question = audio::MismatchQuestion(comparison);
        report = {{"path", movie},
                  {"wav", request.wavPath},
                  {"stream", track.streamNumber},
                  {"dryRun", request.dryRun},
                  {"mismatch", question ? nlohmann::ordered_json(*question) : nullptr},
                  {"wavBytes", comparison.wavBytes},
                  {"movieBytes", comparison.movieBytes},
                  {"chunks", comparison.movieChunks.stats.chunks}};
        if (request.dryRun) {
            reports.Lines() << movie << ": "
                            << question.value_or("The WAV file matches the sound track.")
                            << DryRunNote(editing::WriteMode::DryRun) << '\n';
            reports.Add(std::move(report));
            return reports.Finish();
        }
        if (question && !request.force) {
            reports.Fail(movie,
                         *question + " Nothing was written; give --force to write it anyway.",
                         {{"wav", request.wavPath}, {"errorPath", movie}});
            return reports.Finish();
        }
        if (question)
            io.err << "brelvo-cli: " << movie << ": " << *question
                   << " Written anyway (--force).\n";
    } catch (...) {
        ReportAudioFailure(reports, movie, request.wavPath, "Nothing was written.",
                           std::current_exception());
        return reports.Finish();
    }
    try {
        audio::ReintegrationResult result;
        {
            TerminalProgress progress(io, TerminalProgress::Kind::Reintegration,
                                      request.output.quiet);
            result = audio::ReintegrateAudio(movie, track, request.wavPath,
                                             {request.jinkSeconds, {}, &comparison.movieChunks},
                                             &progress);
        }
        reports.Lines() << movie << ": " << Summary(result, track.streamNumber) << '\n';
        report["chunks"] = result.chunks;
        report["bytesWritten"] = result.bytesWritten;
        report["bytesChanged"] = result.bytesChanged;
        report["zeroFilled"] = result.zeroFilled;
        report["bytesDropped"] = result.skippedBytes;
        report["forced"] = request.force;
        reports.Add(std::move(report));
    } catch (...) {
        ReportAudioFailure(reports, movie, request.wavPath,
                           "The sound track may be partly rewritten.", std::current_exception());
    }
    return reports.Finish();
}

}  // namespace

Command ReintegrateAudioCommand() {
    return {kName, kSynopsis, "Write a WAV file's samples back into the movie's audio chunks.",
            RunReintegrateAudio};
}

}  // namespace brelvo::cli
