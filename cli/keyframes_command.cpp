// `brelvo-cli keyframes`: counts the video stream's key frames in the idx1 index and prints
// the statistic line of the information tab. Reads only.
#include "cli/keyframes_command.h"

#include "avi/key_frames.h"
#include "cli/command_args.h"
#include "cli/movie_loader.h"
#include "platform/io_error.h"
#include "platform/random_access_file.h"

namespace brelvo::cli {
namespace {

constexpr std::string_view kSynopsis = "keyframes FILE...";

void PrintHelp(std::ostream& out) {
    out << "Usage: brelvo-cli " << kSynopsis
        << "\n"
           "Counts the key frames of each movie's video stream in its idx1 index and prints\n"
           "\"Frames T ( K * Key / T-K Delta.) Every T/K\". With several files each line starts\n"
           "with the file's path. The files are only read, never written.\n\n"
           "Example:\n"
           "  brelvo-cli keyframes clip.avi\n";
}

// The caption for one movie; throws MovieLoadError when it has no index or no video stream.
std::string KeyFrameLine(const std::string& path) {
    const LoadedMovie movie = LoadMovie(path);
    const auto& record = movie.record;
    if (!record.idx1Row || *record.idx1Row >= movie.chunkMap.size()) {
        throw MovieLoadError(path, "No index in this file.");
    }
    const avi::StreamRecord* video = record.VideoStream();
    if (video == nullptr) throw MovieLoadError(path, "no video stream in this file");
    try {
        auto file = platform::OpenFile(path, platform::OpenMode::Read);
        const auto count =
            avi::CountKeyFrames(*file, movie.chunkMap[*record.idx1Row], video->index);
        return avi::KeyFrameCaption(record.totalFrames, count.keyFrames);
    } catch (const platform::IoError& e) {
        throw MovieLoadError(path, "cannot " + std::string(platform::FileOpVerb(e.Op())) +
                                       " the index: " + e.Reason());
    }
}

int RunKeyframes(const std::vector<std::string>& args, CommandIo io) {
    FileArgs parsed;
    try {
        parsed = ParseFileArgs(args, {});
    } catch (const UsageError& e) {
        io.err << "brelvo-cli keyframes: " << e.what() << "\nUsage: brelvo-cli " << kSynopsis
               << "\nRun 'brelvo-cli keyframes --help' for more.\n";
        return kExitUsage;
    }
    if (parsed.help) {
        PrintHelp(io.out);
        return kExitOk;
    }
    int status = kExitOk;
    for (const auto& path : parsed.files) {
        try {
            const std::string line = KeyFrameLine(path);
            if (parsed.files.size() > 1) io.out << path << ": ";
            io.out << line << '\n';
        } catch (const MovieLoadError& e) {
            io.err << e.what() << '\n';
            status = kExitFailure;
        }
    }
    return status;
}

}  // namespace

Command KeyframesCommand() {
    return {"keyframes", kSynopsis, "Count the key frames of each movie's video stream.",
            RunKeyframes};
}

}  // namespace brelvo::cli
