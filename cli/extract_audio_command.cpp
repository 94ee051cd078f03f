// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli extract-audio FILE OUT.wav`: copies the movie's sound track into a WAV file,
// format chunk and samples as they are in the movie. Reads the movie only.
#include <filesystem>

#include "audio/extract_audio.h"
#include "cli/audio_command_support.h"
#include "cli/audio_commands.h"
#include "cli/command_args.h"
#include "cli/edit_files.h"

namespace brelvo::cli {
namespace {

constexpr std::string_view kName = "extract-audio";
constexpr std::string_view kSynopsis = "extract-audio [--json] [--quiet] FILE OUT.wav";

void PrintHelp(std::ostream& out) {
    out << "Usage: brelvo-cli " << kSynopsis
        << "\n"
           "Copies the sound track of the movie FILE into the WAV file OUT.wav: the movie's own\n"
           "format chunk and the payloads of its audio chunks, in file order, without decoding\n"
           "anything. OUT.wav must end in .wav (any case); an existing file of that name is\n"
           "replaced only once the new one is complete. The movie is only read.\n\n"
           "Options:\n"
        << JsonOptionHelp()
        << "                      the object: \"path\" and \"wav\", the \"stream\" copied, its\n"
           "                      \"chunks\", \"bytesCopied\", and \"cutShort\" and \"resyncs\",\n"
           "                      the damage stepped over\n"
        << QuietOptionHelp()
        << "\n"
           "Example:\n"
           "  brelvo-cli extract-audio clip.avi sound.wav\n";
}

int RunExtractAudio(const std::vector<std::string>& args, CommandIo io) {
    FileArgs parsed;
    try {
        parsed = ParseFileArgs(args, {});
        if (!parsed.help && parsed.files.size() != 2) {
            throw UsageError("give the movie and the WAV file to write");
        }
        if (!parsed.help) {
            if (auto problem = WavNameProblem("OUT.wav", parsed.files[1]))
                throw UsageError(*problem);
        }
    } catch (const UsageError& e) {
        return ReportUsage(io, kName, kSynopsis, e.what());
    }
    if (parsed.help) {
        PrintHelp(io.out);
        return kExitOk;
    }
    const std::string& moviePath = parsed.files[0];
    const std::string& wavPath = parsed.files[1];
    FileReports reports(io, parsed.output);
    try {
        const audio::AudioTrack track = SoundTrackOf(moviePath);
        audio::ExtractionResult result;
        {
            TerminalProgress progress(io, TerminalProgress::Kind::Extraction, parsed.output.quiet);
            result = audio::ExtractAudio(moviePath, track, wavPath, &progress);
        }
        reports.Lines() << wavPath << ": " << result.dataBytes << " sample bytes from "
                        << result.chunks << " audio chunks of stream " << track.streamNumber
                        << '\n';
        if (result.cutShort > 0 || result.resyncs > 0) {
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
    } catch (...) {
        ReportAudioFailure(reports, moviePath, wavPath, "No WAV file was written.",
                           std::current_exception());
    }
    return reports.Finish();
}

}  // namespace

Command ExtractAudioCommand() {
    return {kName, kSynopsis, "Copy the movie's sound track into a WAV file.", RunExtractAudio};
}

}  // namespace brelvo::cli
