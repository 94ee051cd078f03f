// SPDX-License-Identifier: GPL-2.0-or-later
// `brelvo-cli keyframes`: counts the video stream's key frames in its index and prints
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

struct KeyFrameStatistic {
    avi::MovieKeyFrames count;
    int videoStream = 0;
};

// Throws MovieLoadError when the movie has no index or no video stream.
KeyFrameStatistic CountOf(const std::string& path) {
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
    const avi::StreamRecord* video = movie.record.VideoStream();
    if (video == nullptr) throw MovieLoadError(path, "no video stream in this file");
    return {count, video->index};
}

nlohmann::ordered_json StatisticJson(const std::string& path, const KeyFrameStatistic& s) {
    using Json = nlohmann::ordered_json;
    const auto& c = s.count;
    const auto interval = avi::KeyFrameInterval(c.totalFrames, c.keyFrames);
    return {{"path", path},
            {"total", c.totalFrames},
            {"key", c.keyFrames},
            {"delta", c.totalFrames - c.keyFrames},
            {"interval", interval ? Json(*interval) : Json(nullptr)},
            {"index", c.index == avi::KeyFrameIndex::OpenDml ? "OpenDML" : "idx1"},
            {"videoStream", s.videoStream},
            {"damage", c.damage.empty() ? Json(nullptr) : Json(c.damage)}};
}

int RunKeyframes(const Args& parsed, CommandIo io) {
    RequireFiles(parsed.operands);
    FileReports reports(io, parsed.output);
    for (const auto& path : parsed.operands) {
        try {
            const KeyFrameStatistic statistic = CountOf(path);
            if (parsed.operands.size() > 1) reports.Lines() << path << ": ";
            reports.Lines() << avi::MovieKeyFrameCaption(statistic.count) << '\n';
            if (const auto note = avi::KeyFrameDamageNote(statistic.count); !note.empty()) {
                reports.Lines().flush();
                io.err << "brelvo-cli: " << path << ": " << note << '\n';
            }
            reports.Add(StatisticJson(path, statistic));
        } catch (const MovieLoadError& e) {
            reports.Fail(e.Path(), e.Reason());
        }
    }
    return reports.Finish();
}

}  // namespace

Command KeyframesCommand() {
    return Declare({
        .name = "keyframes",
        .synopsis = kSynopsis,
        .summary = "Count the key frames of each movie's video stream.",
        .description =
            "Counts the key frames of each movie's video stream in its index (the OpenDML\n"
            "indexes of every part of a large movie, else idx1) and prints\n"
            "\"Frames T ( K * Key / T-K Delta.) Every T/K\". With several files each line starts\n"
            "with the file's path. The files are only read, never written.",
        .jsonObject = "each object: \"total\" T, \"key\" K, \"delta\" T-K, \"interval\"\n"
                      "T/K (null without key frames), the \"index\" read (\"idx1\"\n"
                      "or \"OpenDML\"), the \"videoStream\" counted, and \"damage\",\n"
                      "what was wrong with the index (null when read whole)",
        .examples = "keyframes clip.avi",
        .run = RunKeyframes,
    });
}

}  // namespace brelvo::cli
