// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli keyframes`: counts the video stream's key frames in the idx1 index and prints
// the statistic line of the information tab. Reads only.
#include "cli/keyframes_command.h"

#include "avi/key_frames.h"
#include "cli/command_args.h"
#include "cli/file_reports.h"
#include "cli/movie_loader.h"
#include "platform/io_error.h"
#include "platform/random_access_file.h"

namespace brelvo::cli {
namespace {

constexpr std::string_view kSynopsis = "keyframes [--json] [--quiet] FILE...";

void PrintHelp(std::ostream& out) {
    out << "Usage: brelvo-cli " << kSynopsis
        << "\n"
           "Counts the key frames of each movie's video stream in its idx1 index and prints\n"
           "\"Frames T ( K * Key / T-K Delta.) Every T/K\". With several files each line starts\n"
           "with the file's path. The files are only read, never written.\n\n"
           "Options:\n"
        << JsonOptionHelp()
        << "                      each object: \"total\" T, \"key\" K, \"delta\" T-K, "
           "\"interval\"\n"
           "                      T/K (null without key frames), and the index read: its\n"
           "                      name, the 0-based offset of its first entry, the entries\n"
           "                      read and the video stream counted\n"
        << QuietOptionHelp()
        << "\n"
           "Example:\n"
           "  brelvo-cli keyframes clip.avi\n";
}

struct KeyFrameStatistic {
    std::int32_t total = 0;
    avi::KeyFrameCount count;
    std::int64_t indexOffset = 0;
    int videoStream = 0;
};

// Throws MovieLoadError when the movie has no index or no video stream.
KeyFrameStatistic CountOf(const std::string& path) {
    const LoadedMovie movie = LoadMovie(path);
    const auto& record = movie.record;
    if (!record.idx1Row || *record.idx1Row >= movie.chunkMap.size()) {
        throw MovieLoadError(path, "No index in this file.");
    }
    const avi::StreamRecord* video = record.VideoStream();
    if (video == nullptr) throw MovieLoadError(path, "no video stream in this file");
    const avi::ChunkRow& index = movie.chunkMap[*record.idx1Row];
    try {
        auto file = platform::OpenFile(path, platform::OpenMode::Read);
        return {record.totalFrames, avi::CountKeyFrames(*file, index, video->index),
                index.DataOffset(), video->index};
    } catch (const platform::IoError& e) {
        throw MovieLoadError(path, "cannot " + std::string(platform::FileOpVerb(e.Op())) +
                                       " the index: " + e.Reason());
    }
}

nlohmann::ordered_json StatisticJson(const std::string& path, const KeyFrameStatistic& s) {
    const auto interval = avi::KeyFrameInterval(s.total, s.count.keyFrames);
    return {{"path", path},
            {"total", s.total},
            {"key", s.count.keyFrames},
            {"delta", s.total - s.count.keyFrames},
            {"interval", interval ? nlohmann::ordered_json(*interval) : nullptr},
            {"index", "idx1"},
            {"indexOffset", s.indexOffset},
            {"indexEntries", s.count.entriesRead},
            {"videoStream", s.videoStream}};
}

int RunKeyframes(const std::vector<std::string>& args, CommandIo io) {
    FileArgs parsed;
    try {
        parsed = ParseFileArgs(args, {});
    } catch (const UsageError& e) {
        return ReportUsage(io, "keyframes", kSynopsis, e.what());
    }
    if (parsed.help) {
        PrintHelp(io.out);
        return kExitOk;
    }
    FileReports reports(io, parsed.output);
    for (const auto& path : parsed.files) {
        try {
            const KeyFrameStatistic statistic = CountOf(path);
            if (parsed.files.size() > 1) reports.Lines() << path << ": ";
            reports.Lines() << avi::KeyFrameCaption(statistic.total, statistic.count.keyFrames)
                            << '\n';
            reports.Add(StatisticJson(path, statistic));
        } catch (const MovieLoadError& e) {
            reports.Fail(e.Path(), e.Reason());
        }
    }
    return reports.Finish();
}

}  // namespace

Command KeyframesCommand() {
    return {"keyframes", kSynopsis, "Count the key frames of each movie's video stream.",
            RunKeyframes};
}

}  // namespace brelvo::cli
