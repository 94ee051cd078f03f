// `brelvo-cli extract-audio FILE OUT.wav`, `brelvo-cli extract-audio -o FOLDER FILE...`: copies
// each movie's sound track into a WAV file, format chunk and samples as they are in the movie.
// Reads the movies only.
#include <filesystem>
#include <map>

#include "audio/extract_audio.h"
#include "cli/audio_command_support.h"
#include "cli/audio_commands.h"
#include "cli/command_args.h"
#include "cli/edit_args.h"
#include "cli/edit_files.h"

namespace brelvo::cli {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kName = "extract-audio";
constexpr std::string_view kSynopsis =
    "extract-audio [--stream N] (FILE OUT.wav | -o FOLDER FILE...)";

void PrintHelp(std::ostream& out) {
    out << "Usage: brelvo-cli " << kSynopsis
        << "\n"
           "Copies the sound track of the movie FILE into the WAV file OUT.wav: the movie's own\n"
           "format chunk and the payloads of its audio chunks, in file order, without decoding\n"
           "anything. OUT.wav must end in .wav (any case); an existing file of that name is\n"
           "replaced only once the new one is complete. The movies are only read.\n"
           "  -o FOLDER        one WAV file per movie in FOLDER, named after the movie\n"
           "                   (clip.avi gives FOLDER/clip.wav); a movie that fails is reported\n"
           "                   and the others still run\n"
           "  --stream N       the N-th sound stream (1 for the first, as info --json lists the\n"
           "                   streams); without it the last one, as the window takes\n\n"
           "Examples:\n"
           "  brelvo-cli extract-audio clip.avi sound.wav\n"
           "  brelvo-cli extract-audio -o sounds *.avi\n";
}

struct Request {
    std::optional<int> stream;
    std::optional<std::string> folder;
    std::vector<std::string> operands;
    bool help = false;
};

// Throws UsageError.
Request Parse(const std::vector<std::string>& args) {
    const EditArgs parsed = ParseEditArgs(args, {"-o", "--stream"});
    Request request;
    request.help = parsed.help;
    if (request.help) return request;
    if (parsed.dryRun) throw UsageError("extraction writes only a WAV file; it has no dry run");
    request.stream = SoundStreamOption(parsed.values);
    if (const auto folder = parsed.values.find("-o"); folder != parsed.values.end()) {
        request.folder = folder->second;
        if (parsed.operands.empty()) throw UsageError("give the movies to extract from");
    } else if (parsed.operands.size() != 2) {
        throw UsageError("give the movie and the WAV file to write, or -o FOLDER and the movies");
    }
    request.operands = parsed.operands;
    return request;
}

// Extracts one movie; returns kExitOk or kExitFailure after reporting.
int ExtractOne(CommandIo io, const std::string& moviePath, const std::string& wavPath,
               std::optional<int> stream) {
    try {
        const audio::AudioTrack track = SoundTrackOf(moviePath, stream);
        audio::ExtractionResult result;
        {
            TerminalProgress progress(io, TerminalProgress::Kind::Extraction);
            result = audio::ExtractAudio(moviePath, track, wavPath, &progress);
        }
        io.out << wavPath << ": " << result.dataBytes << " sample bytes from " << result.chunks
               << " audio chunks of stream " << track.streamNumber << '\n';
        if (result.cutShort > 0 || result.resyncs > 0) {
            io.err << "brelvo-cli: " << moviePath << ": the movie is damaged: " << result.cutShort
                   << " audio chunks cut short by its end, " << result.resyncs
                   << " damaged places stepped over\n";
        }
        return kExitOk;
    } catch (...) {
        return ReportAudioFailure(io, moviePath, wavPath, "No WAV file was written.",
                                  std::current_exception());
    }
}

int RunExtractAudio(const std::vector<std::string>& args, CommandIo io) {
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
    if (!request.folder) {
        const std::string& wavPath = request.operands[1];
        if (!audio::IsWavFileName(fs::path(wavPath).filename().string())) {
            io.err << "brelvo-cli: " << wavPath << ": " << audio::kWavNameMessage << '\n';
            return kExitFailure;
        }
        return ExtractOne(io, request.operands[0], wavPath, request.stream);
    }
    std::error_code ec;
    if (!fs::is_directory(*request.folder, ec)) {
        io.err << "brelvo-cli: " << *request.folder << ": no such folder\n";
        return kExitFailure;
    }
    int status = kExitOk;
    std::map<std::string, std::string> written;  // WAV path -> the movie it came from
    for (const auto& moviePath : request.operands) {
        const std::string wavPath =
            (fs::path(*request.folder) / fs::path(moviePath).stem()).string() + ".wav";
        // Two movies of one name from different folders would give one WAV file.
        if (const auto earlier = written.find(wavPath); earlier != written.end()) {
            io.err << "brelvo-cli: " << moviePath << ": " << wavPath << " was written for "
                   << earlier->second << " in this run. No WAV file was written.\n";
            status = kExitFailure;
            continue;
        }
        if (ExtractOne(io, moviePath, wavPath, request.stream) == kExitOk) {
            written.emplace(wavPath, moviePath);
        } else {
            status = kExitFailure;
        }
    }
    return status;
}

}  // namespace

Command ExtractAudioCommand() {
    return {kName, kSynopsis, "Copy the movies' sound tracks into WAV files.", RunExtractAudio};
}

}  // namespace brelvo::cli
