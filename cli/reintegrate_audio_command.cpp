// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli reintegrate-audio [--jink SECONDS] [--stream N] [--force] FILE IN.wav`: writes
// the samples of a WAV file back over the payloads of the movie's audio chunks, in place.
#include <algorithm>
#include <filesystem>
#include <optional>

#include "audio/reintegrate_audio.h"
#include "audio/wav_file.h"
#include "cli/audio_command_support.h"
#include "cli/audio_commands.h"
#include "cli/command_args.h"
#include "cli/edit_files.h"
#include "cli/movie_loader.h"
#include "cli/number_args.h"

namespace brelvo::cli {
namespace {

constexpr std::string_view kName = "reintegrate-audio";
constexpr std::string_view kSynopsis =
    "reintegrate-audio [--dry-run] [--jink SECONDS] [--stream N] [--force] [--json] [--quiet] "
    "FILE IN.wav";

struct Request {
    std::string moviePath;
    std::string wavPath;
    std::optional<double> jinkSeconds;
    std::optional<int> stream;
    bool force = false;
    bool dryRun = false;
    OutputOptions output;
};

// Throws UsageError.
Request Parse(const Args& parsed) {
    Request request;
    request.force = parsed.Has("--force");
    request.dryRun = parsed.DryRun();
    request.output = parsed.output;
    if (const auto jink = parsed.values.find("--jink"); jink != parsed.values.end()) {
        request.jinkSeconds = ParseDecimal(jink->second);
        if (!request.jinkSeconds) throw UsageError("--jink takes a number of seconds");
    }
    request.stream = SoundStreamOption(parsed.values);
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
    if (r.jink) {
        text += ", " + std::to_string(r.skippedBytes) + " bytes dropped by --jink (" +
                std::to_string(r.jink->units) + (r.jink->units == 1 ? " unit" : " units") + ")";
    }
    if (r.zeroFilled > 0) text += ", " + std::to_string(r.zeroFilled) + " bytes filled with zeros";
    // Bytes the movie already held are not rewritten.
    return text + " (" + std::to_string(r.bytesChanged) + " bytes changed)";
}

// What became of the sound track after a failure: the failure says whether the copy had
// begun to change it.
std::string FailureConsequence(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const audio::ReintegrationFailed& e) {
        if (e.BytesChanged() > 0) {
            return "The sound track is partly rewritten: " + std::to_string(e.BytesChanged()) +
                   " bytes were changed before the failure.";
        }
        if (e.MayBePartlyRewritten()) return "The sound track may be partly rewritten.";
    } catch (...) {
        // Refused or failed before the copy began.
    }
    return "Nothing was written.";
}

int RunReintegrateAudio(const Args& parsed, CommandIo io) {
    const Request request = Parse(parsed);
    const std::string& movie = request.moviePath;
    const auto mode = ModeOf(request.dryRun);
    // Without --force a mismatch refuses the write, in a dry run too; with it the user is told
    // all the same.
    FileReports reports(io, request.output);
    const auto answer = [&](const std::string& question) {
        if (!request.force) {
            reports.Fail(movie, question + " Nothing was written; give --force to write it anyway.",
                         {{"wav", request.wavPath}, {"errorPath", movie}});
        } else {
            io.err << "brelvo-cli: " << movie << ": " << question
                   << (request.dryRun ? " Would be written anyway (--force).\n"
                                      : " Written anyway (--force).\n");
        }
        return request.force;
    };
    audio::ReintegrationOutcome outcome;
    try {
        const LoadedMovie loaded = LoadMovie(movie);
        audio::ReintegrationOptions options;
        options.jinkSeconds = request.jinkSeconds;
        options.dryRun = request.dryRun;
        TerminalProgress progress(io, TerminalProgress::Kind::Reintegration, request.output.quiet);
        outcome = audio::RunReintegration(movie, loaded.record, request.stream, request.wavPath,
                                          options, answer, &progress);
    } catch (...) {
        const auto failure = std::current_exception();
        ReportAudioFailure(reports, movie, request.wavPath, FailureConsequence(failure), failure);
        return reports.Finish();
    }
    if (outcome.declined) return reports.Finish();
    const auto& result = outcome.result;
    reports.Lines() << movie << ": " << Summary(result, outcome.track.streamNumber)
                    << DryRunNote(mode) << '\n';
    using Json = nlohmann::ordered_json;
    reports.Add({{"path", movie},
                 {"wav", request.wavPath},
                 {"stream", outcome.track.streamNumber},
                 {"dryRun", request.dryRun},
                 {"mismatch", outcome.mismatch ? Json(*outcome.mismatch) : Json(nullptr)},
                 {"forced", outcome.mismatch.has_value()},
                 {"wavBytes", outcome.wavBytes},
                 {"movieBytes", outcome.movieBytes},
                 {"chunks", result.chunks},
                 {"bytesWritten", result.bytesWritten},
                 {"bytesChanged", result.bytesChanged},
                 {"zeroFilled", result.zeroFilled},
                 {"bytesDropped", result.skippedBytes}});
    return reports.Finish();
}

}  // namespace

Command ReintegrateAudioCommand() {
    return Declare({
        .name = kName,
        .synopsis = kSynopsis,
        .summary = "Write a WAV file's samples back into the movie's audio chunks.",
        .description =
            "Writes the samples of IN.wav back over the payloads of the movie's audio chunks, in\n"
            "file order and in place: no chunk moves or changes size, nothing else is written.\n"
            "This cannot be undone. When the WAV file's format differs from the movie's sound\n"
            "format (compared field by field), it holds fewer or more sample bytes than the audio\n"
            "chunks, or --jink cuts nothing or every sample, nothing is written unless --force is\n"
            "given (missing samples become zero bytes, extra ones are left out).",
        .options = {{"--jink", "SECONDS",
                     "drop SECONDS of sound from the WAV file's start, moving the\n"
                     "sound earlier against the picture: SECONDS x dwRate / dwScale\n"
                     "units of the stream (rounded, halves to even), each\n"
                     "dwSampleSize bytes, or for a stream of one unit a chunk the\n"
                     "first that many chunks"},
                    {"--stream", "N",
                     "the N-th sound stream (1 for the first, as info --json lists\n"
                     "the streams); without it the last one, as the window takes"},
                    {"--force", "", "write even when the WAV file does not match"},
                    {"--dry-run", "",
                     "compare and count the bytes that would change, write nothing;\n"
                     "refuses and exits as the real run would",
                     "-n"}},
        .jsonObject = "the object: \"path\", \"wav\", \"stream\", \"dryRun\", the\n"
                      "\"mismatch\" found (null when the WAV file matches) and\n"
                      "\"forced\", \"wavBytes\", \"movieBytes\", the \"chunks\",\n"
                      "\"bytesWritten\", \"bytesChanged\" (in a dry run: would\n"
                      "change), \"zeroFilled\" and \"bytesDropped\" by --jink",
        .examples = "extract-audio clip.avi sound.wav   (edit sound.wav, keep its length)\n"
                    "reintegrate-audio clip.avi sound.wav\n"
                    "reintegrate-audio --jink 0.5 clip.avi sound.wav",
        .run = RunReintegrateAudio,
    });
}

}  // namespace brelvo::cli
