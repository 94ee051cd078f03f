// Every header writer, failing at each open, read, write and seek in turn: the failure is
// reported and the movie holds its bytes plus exactly the writes made before it.
#include <gtest/gtest.h>

#include "editing/audio_delay.h"
#include "editing/codec_tag.h"
#include "editing/frame_rate.h"
#include "info/author_items.h"
#include "tests/robustness/fault_sweep.h"
#include "tests/robustness/robust_movies.h"

#ifdef BRELVO_HAS_HEADER_WRITE_BACK
#include "app/header_write_back.h"
#endif

namespace brelvo::testing {
namespace {

// A copy of the editable movie as loading leaves it, with what loading found.
struct LoadedCopy {
    std::string path;
    LoadedFile loaded;
};
LoadedCopy LoadedEditableMovie() {
    LoadedCopy copy{WriteTempFile(EditableMovie()), {}};
    copy.loaded = LoadAsTheWindowDoes(copy.path);
    return copy;
}

TEST(HeaderWritersUnderFaults, LoadTimeNormalisation) {
    const std::string path = WriteTempFile(EditableMovie());
    WriterUnderTest writer{"load", path,
                           [&] { return Reported([&] { LoadAsTheWindowDoes(path); }); },
                           NormaliseRegions(DecodeOnly(path))};
    const auto totals = SweepFaults(writer);
    EXPECT_GE(totals.writesInFullRun, 3);  // dwScale, dwRate, the JUNK payload
}

TEST(HeaderWritersUnderFaults, LoadTimeNormalisationOfARealMovie) {
    const std::string path = CopyFixture("ffmpeg_mpeg4_mp3.avi");  // dwScale 1001
    WriterUnderTest writer{"load of ffmpeg_mpeg4_mp3.avi", path,
                           [&] { return Reported([&] { LoadAsTheWindowDoes(path); }); },
                           NormaliseRegions(DecodeOnly(path))};
    EXPECT_GE(SweepFaults(writer).writesInFullRun, 2);
}

TEST(HeaderWritersUnderFaults, BothCodecApplies) {
    const auto movie = LoadedEditableMovie();
    const auto& record = movie.loaded.record;
    for (const auto target : {editing::CodecTarget::Handler, editing::CodecTarget::Compression}) {
        const auto field = target == editing::CodecTarget::Handler
                               ? record.VideoStream()->handlerField
                               : record.VideoStream()->video->compressionField;
        WriterUnderTest writer{field.name,
                               movie.path,
                               [&] {
                                   return Reported([&] {
                                       editing::ApplyCodecTag(movie.path, record, target, "xvid");
                                   });
                               },
                               {RegionOf(field)}};
        EXPECT_EQ(SweepFaults(writer).writesInFullRun, 1);
    }
}

TEST(HeaderWritersUnderFaults, FrameRateApplies) {
    const auto movie = LoadedEditableMovie();
    const auto& record = movie.loaded.record;
    const auto& video = *record.VideoStream();
    const std::vector<Region> fields = {
        RegionOf(video.rateField), RegionOf(video.scaleField), {record.microSecOffset, 4}};
    // The bar's Apply (25 - 1 frames per second) and a typed rate: both write dwRate and
    // dwMicroSecPerFrame.
    for (const std::int64_t rate : {std::int64_t{240000}, editing::TypedVideoRate("29.97")}) {
        WriterUnderTest writer{
            "frame rate " + std::to_string(rate), movie.path,
            [&] { return Reported([&] { editing::ApplyFrameRate(movie.path, record, rate); }); },
            fields};
        EXPECT_EQ(SweepFaults(writer).writesInFullRun, 2);
    }
}

TEST(HeaderWritersUnderFaults, AudioDelayApply) {
    const auto movie = LoadedEditableMovie();
    const auto& record = movie.loaded.record;
    WriterUnderTest writer{
        "audio delay",
        movie.path,
        [&] { return Reported([&] { editing::ApplyAudioDelay(movie.path, record, 1000); }); },
        {RegionOf(record.AudioStream()->startField)}};
    EXPECT_EQ(SweepFaults(writer).writesInFullRun, 1);
}

TEST(HeaderWritersUnderFaults, AuthorDetailsApply) {
    for (const std::string fixture : {"", "ffmpeg_info_items.avi"}) {
        const std::string path =
            fixture.empty() ? WriteTempFile(EditableMovie()) : CopyFixture(fixture);
        const auto loaded = LoadAsTheWindowDoes(path);
        const std::map<std::string, std::string> texts = {
            {"INAM", "A new name"}, {"IART", "Jane"}, {"ICMT", "Fine"}, {"DISP", "Shown"}};
        WriterUnderTest writer{"author details " + fixture, path,
                               [&] {
                                   return Reported([&] {
                                       info::ApplyAuthorItems(path, loaded.chunkMap,
                                                              loaded.record.decodedChunkCount,
                                                              texts);
                                   });
                               },
                               TextItemRegions(loaded)};
        EXPECT_GE(SweepFaults(writer).writesInFullRun, 3);
    }
}

#ifdef BRELVO_HAS_HEADER_WRITE_BACK
TEST(HeaderWritersUnderFaults, ExitWriteBack) {
    auto movie = LoadedEditableMovie();
    editing::ApplyCodecTag(movie.path, movie.loaded.record, editing::CodecTarget::Handler, "xvid");
    WriterUnderTest writer{"exit write-back",
                           movie.path,
                           [&] {
                               return Reported([&] {
                                   app::WriteBackHeader(movie.path, movie.loaded.headerBackup,
                                                        movie.loaded.record.loadedLength);
                               });
                           },
                           {{0, 8192}}};
    EXPECT_EQ(SweepFaults(writer).writesInFullRun, 1);
    // And a clean write-back restores the movie as it was before the load.
    app::WriteBackHeader(movie.path, movie.loaded.headerBackup, movie.loaded.record.loadedLength);
    EXPECT_EQ(ReadWholeFile(movie.path), EditableMovie());
}
#endif

}  // namespace
}  // namespace brelvo::testing
