// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli extract-audio FILE OUT.wav`, `brelvo-cli extract-audio -o FOLDER FILE...`: copies
// each movie's sound track into a WAV file, format chunk and samples as they are in the movie.
// Reads the movies only.
#include <filesystem>
#include <map>

#include "audio/extract_audio.h"
#include "cli/audio_command_support.h"
#include "cli/audio_commands.h"
#include "cli/command_args.h"
#include "cli/edit_files.h"
#include "cli/number_args.h"

namespace brelvo::cli {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kName = "extract-audio";
constexpr std::string_view kSynopsis =
    "extract-audio [--stream N] [--json] [--quiet] (FILE OUT.wav | -o FOLDER FILE...)";

struct Request {
    std::optional<int> stream;
    std::optional<std::string> folder;
    std::vector<std::string> operands;
    OutputOptions output;
};

// Throws UsageError.
Request Parse(const Args& parsed) {
    Request request;
    request.output = parsed.output;
    request.stream = SoundStreamOption(parsed.values);
    if (const auto folder = parsed.values.find("-o"); folder != parsed.values.end()) {
        request.folder = folder->second;
        if (parsed.operands.empty()) throw UsageError("give the movies to extract from");
    } else if (parsed.operands.size() != 2) {
        throw UsageError("give the movie and the WAV file to write, or -o FOLDER and the movies");
    } else if (auto problem = WavNameProblem("OUT.wav", parsed.operands[1])) {
        throw UsageError(*problem);
    }
    request.operands = parsed.operands;
    return request;
}

// Extracts one movie and reports it; false when it failed.
bool ExtractOne(FileReports& reports, CommandIo io, const std::string& moviePath,
                const std::string& wavPath, std::optional<int> stream) {
    try {
        const audio::AudioTrack track = SoundTrackOf(moviePath, stream);
        audio::ExtractionResult result;
        {
            TerminalProgress progress(io, TerminalProgress::Kind::Extraction, reports.Quiet());
            result = audio::ExtractAudio(moviePath, track, wavPath, &progress);
        }
        reports.Lines() << wavPath << ": " << result.dataBytes << " sample bytes from "
                        << result.chunks << " audio chunks of stream " << track.streamNumber
                        << '\n';
        if (result.cutShort > 0 || result.resyncs > 0) {
            reports.Lines().flush();
            io.err << "brelvo-cli: " << moviePath << ": the movie is damaged: " << result.cutShort
                   << " audio chunks cut short by its end, " << result.resyncs
                   << " damaged places stepped over\n";
        }
        reports.Add({{"path", moviePath},
                     {"wav", wavPath},
                     {"stream", track.streamNumber},
                     {"chunks", result.chunks},
                     {"bytesCopied", result.dataBytes},
                     {"cutShort", result.cutShort},
                     {"resyncs", result.resyncs}});
        return true;
    } catch (...) {
        ReportAudioFailure(reports, moviePath, wavPath, "No WAV file was written.",
                           std::current_exception());
        return false;
    }
}

int RunExtractAudio(const Args& parsed, CommandIo io) {
    const Request request = Parse(parsed);
    if (!request.folder) {
        FileReports reports(io, request.output);
        ExtractOne(reports, io, request.operands[0], request.operands[1], request.stream);
        return reports.Finish();
    }
    std::error_code ec;
    if (!fs::is_directory(*request.folder, ec)) {
        io.err << "brelvo-cli: " << *request.folder << ": no such folder\n";
        return kExitFailure;
    }
    FileReports reports(io, request.output);
    std::map<std::string, std::string> written;  // WAV path -> the movie it came from
    for (const auto& moviePath : request.operands) {
        const std::string wavPath =
            (fs::path(*request.folder) / fs::path(moviePath).stem()).string() + ".wav";
        // Two movies of one name from different folders would give one WAV file.
        if (const auto earlier = written.find(wavPath); earlier != written.end()) {
            reports.Fail(moviePath,
                         wavPath + " was written for " + earlier->second +
                             " in this run. No WAV file was written.",
                         {{"wav", wavPath}, {"errorPath", moviePath}});
            continue;
        }
        if (ExtractOne(reports, io, moviePath, wavPath, request.stream)) {
            written.emplace(wavPath, moviePath);
        }
    }
    return reports.Finish();
}

}  // namespace

Command ExtractAudioCommand() {
    return Declare({
        .name = kName,
        .synopsis = kSynopsis,
        .summary = "Copy the movies' sound tracks into WAV files.",
        .description =
            "Copies the sound track of the movie FILE into the WAV file OUT.wav: the movie's own\n"
            "format chunk and the payloads of its audio chunks, in file order, without decoding\n"
            "anything. OUT.wav must end in .wav (any case); an existing file of that name is\n"
            "replaced only once the new one is complete. The movies are only read.",
        .options = {{"-o", "FOLDER",
                     "one WAV file per movie in FOLDER, named after the movie\n"
                     "(clip.avi gives FOLDER/clip.wav); a movie that fails is\n"
                     "reported and the others still run"},
                    {"--stream", "N",
                     "the N-th sound stream (1 for the first, as info --json lists\n"
                     "the streams); without it the last one, as the window takes"}},
        .jsonObject = "each object: the movie's \"path\" and the \"wav\" file, the\n"
                      "\"stream\" copied, its \"chunks\", \"bytesCopied\", and\n"
                      "\"cutShort\" and \"resyncs\", the damage stepped over",
        .examples = "extract-audio clip.avi sound.wav\nextract-audio -o sounds *.avi",
        .run = RunExtractAudio,
    });
}

}  // namespace brelvo::cli
