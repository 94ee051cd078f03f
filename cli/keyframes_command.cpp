// `brelvo-cli keyframes`: counts the video stream's key frames in its index and prints
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
           "Counts the key frames of each movie's video stream in its index (the OpenDML\n"
           "indexes of every part of a large movie, else idx1) and prints\n"
           "\"Frames T ( K * Key / T-K Delta.) Every T/K\". With several files each line starts\n"
           "with the file's path. The files are only read, never written.\n\n"
           "Example:\n"
           "  brelvo-cli keyframes clip.avi\n";
}

// The caption for one movie, with the note on a damaged index; throws MovieLoadError when it
// has no index or no video stream.
struct KeyFrameReport {
    std::string caption;
    std::string note;
};

KeyFrameReport KeyFrameLine(const std::string& path) {
    const LoadedMovie movie = LoadMovie(path);
    avi::MovieKeyFrames count;
    try {
        auto file = platform::OpenFile(path, platform::OpenMode::Read);
        count = avi::CountMovieKeyFrames(*file, movie.chunkMap, movie.record);
    } catch (const platform::IoError& e) {
        throw MovieLoadError(path, "cannot " + std::string(platform::FileOpVerb(e.Op())) +
                                       " the index: " + e.Reason());
    }
    if (count.index == avi::KeyFrameIndex::None) {
        throw MovieLoadError(path, "No index in this file.");
    }
    if (movie.record.VideoStream() == nullptr) {
        throw MovieLoadError(path, "no video stream in this file");
    }
    return {avi::MovieKeyFrameCaption(count), avi::KeyFrameDamageNote(count)};
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
            const auto report = KeyFrameLine(path);
            if (parsed.files.size() > 1) io.out << path << ": ";
            io.out << report.caption << '\n';
            if (!report.note.empty())
                io.err << "brelvo-cli: " << path << ": " << report.note << '\n';
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
