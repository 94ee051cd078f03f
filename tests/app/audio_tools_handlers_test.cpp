// SPDX-License-Identifier: GPL-2.0-or-later
// The Utilities tab's audio tools driven through their buttons: the name check, extraction
// and re-integration with their captions, the player protocol, the mismatch question, "Jink
// Audio" and the refusals.
#include <QCheckBox>
#include <QRegularExpression>
#include <fstream>

#include "app/audio_tool_messages.h"
#include "audio/audio_track.h"
#include "audio/extract_audio.h"
#include "platform/file_open_hook.h"
#include "platform/io_error.h"
#include "tests/app/audio_tools_test_support.h"

namespace brelvo::app::testing {
namespace {

using brelvo::testing::MakeSimpleMovie;
using brelvo::testing::ReadWholeFile;
using brelvo::testing::SimpleMovie;

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// The payloads of a simple movie's audio chunks, in file order.
Bytes SoundOf(const Bytes& movie, int chunks, std::size_t size) {
    Bytes sound;
    for (int k = 0; k < chunks; ++k) {
        const auto at = static_cast<std::ptrdiff_t>(FindId(movie, "01wb", k) + 8);
        sound.insert(sound.end(), movie.begin() + at,
                     movie.begin() + at + static_cast<std::ptrdiff_t>(size));
    }
    return sound;
}

// A movie whose sound runs at 16000 bytes per second: dwRate 16000 / dwScale 4 sample frames
// of dwSampleSize 4 bytes.
Bytes MovieAt16000BytesPerSecond(int chunks, std::size_t size) {
    SimpleMovie layout;
    layout.frames = chunks;
    layout.audioChunkSize = size;
    Bytes movie = MakeSimpleMovie(layout);
    PutU32(movie, FindId(movie, "strh", 1) + 8 + 24, 16000);
    return movie;
}

TEST_F(AudioToolsTest, RefusedNamesShowTheMessageAndGiveTheTabsBack) {
    Open(MakeSimpleMovie({}));
    const Bytes before = FileBytes();
    for (const char* button : {"Command12", "Command13"}) {
        for (const QString& name :
             {QStringLiteral("sound.mp3"), QStringLiteral("sound"), QString()}) {
            Type("Text13", name);
            Press(button);
            EXPECT_EQ(dialogs_.Texts().back(), WavNameMessage())
                << button << " " << name.toStdString();
            EXPECT_EQ(dialogs_.shown().back().title, QStringLiteral("Brelvo"));
            EXPECT_TRUE(TabsEnabled());
        }
    }
    EXPECT_EQ(dialogs_.shown().size(), 6u);
    EXPECT_TRUE(player_.Actions().empty());  // refused before the player is touched
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
    EXPECT_EQ(FileBytes(), before);
}

TEST_F(AudioToolsTest, ExtractionWritesTheCoresWavWithItsCaptionsAndProtocol) {
    OpenFixture("ffmpeg_mpeg4_pcm.avi");
    Type("Text13", QStringLiteral("Sound.Wav"));  // any letter case, kept as typed
    form_->SSTab1_Click(0);                       // a shown preview gets the movie back
    player_.ClearCalls();
    Press("Command12");
    EXPECT_TRUE(dialogs_.shown().empty());

    const auto movie = platform::OpenFile(path_, platform::OpenMode::Read);
    const std::string reference = path_ + ".reference.wav";
    audio::ExtractAudio(path_, audio::AudioTrackFromRecord(*movie, form_->document().record),
                        reference);
    EXPECT_EQ(ReadWholeFile(InFolder("Sound.Wav")), ReadWholeFile(reference));

    ASSERT_GE(titles_.size(), 3);
    EXPECT_EQ(titles_.mid(titles_.size() - 2),
              (QStringList{QStringLiteral("100%"), QStringLiteral("Brelvo")}));
    const QRegularExpression caption(QStringLiteral(R"(^(\d+)% - \d{4,}[.,]\d\d KBsec$)"));
    int last = 0;
    for (qsizetype k = 0; k + 2 < titles_.size(); ++k) {
        const auto match = caption.match(titles_[k]);
        ASSERT_TRUE(match.hasMatch()) << titles_[k].toStdString();
        const int percent = match.captured(1).toInt();
        EXPECT_GT(percent, last + 1);  // at most every two percent
        EXPECT_LT(percent, 100);
        last = percent;
        EXPECT_FALSE(tabsDuringTitles_[static_cast<std::size_t>(k)]);
    }
    EXPECT_TRUE(TabsEnabled());

    // Not halted, no wait before the value is saved; the tabs come back before the selection.
    const std::vector<std::string> expected = {
        "SavedValue",
        "SetFileName()",
        "SetFileName(" + path_ + ")",
        "SetSavedValue(50)",
        "SetSelectionStart(0)",
        "SetSelectionEnd(" + std::to_string(form_->document().rangeTo) + ")",
        "Play"};
    EXPECT_EQ(player_.Actions(), expected);
    EXPECT_EQ(player_.Calls().front(), "SavedValue");
}

TEST_F(AudioToolsTest, ExtractThenReintegrateLeavesTheMovieAsItWas) {
    OpenFixture("ffmpeg_two_audio.avi");
    const Bytes loaded = FileBytes();  // after the load's own normalising writes
    Type("Text13", QStringLiteral("track.wav"));
    Press("Command12");
    titles_.clear();
    player_.ClearCalls();
    Press("Command13");
    EXPECT_TRUE(dialogs_.shown().empty());  // a matching WAV file asks nothing
    EXPECT_EQ(FileBytes(), loaded);

    ASSERT_FALSE(titles_.empty());
    EXPECT_EQ(titles_.back(), QStringLiteral("Brelvo"));
    int last = -1;
    for (qsizetype k = 0; k + 1 < titles_.size(); ++k) {
        ASSERT_TRUE(titles_[k].endsWith(QLatin1Char('%'))) << titles_[k].toStdString();
        const int percent = titles_[k].chopped(1).toInt();
        EXPECT_GT(percent, last);
        EXPECT_LT(percent, 100);
        last = percent;
        EXPECT_FALSE(tabsDuringTitles_[static_cast<std::size_t>(k)]);
    }
    // Halted, then saved without a wait in between.
    const auto& calls = player_.Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0], "Stop");
    EXPECT_EQ(calls[1], "SavedValue");
    EXPECT_EQ(player_.Actions().back(), "SetFileName()");  // hidden: given nothing back
    EXPECT_TRUE(TabsEnabled());
}

TEST_F(AudioToolsTest, AMismatchedWavIsWrittenOnlyAfterYes) {
    Open(MakeSimpleMovie({}));
    Type("Text13", QStringLiteral("edited.wav"));
    Press("Command12");
    const Bytes loaded = FileBytes();
    Bytes wav = ReadWholeFile(InFolder("edited.wav"));
    wav[22] = std::byte{1};  // one channel instead of two
    const std::size_t samplesAt = wav.size() - 5 * 64;
    std::fill(wav.begin() + static_cast<std::ptrdiff_t>(samplesAt), wav.end(), std::byte{0x11});
    WriteFile(InFolder("edited.wav"), wav);

    bool tabsDuringQuestion = true;
    dialogs_.OnShow([&](const auto&) { tabsDuringQuestion = TabsEnabled(); });
    dialogs_.QueueYesNo(false);
    Press("Command13");
    ASSERT_EQ(dialogs_.shown().size(), 1u);
    const auto& question = dialogs_.shown().front();
    EXPECT_EQ(question.kind, platform::qt::ScriptedDialogs::Kind::YesNo);
    EXPECT_TRUE(question.text.contains(
        QStringLiteral("its format differs (1 channel in the WAV file, 2 channels in the movie)")))
        << question.text.toStdString();
    EXPECT_TRUE(question.text.contains(QStringLiteral("cannot be undone")));
    EXPECT_TRUE(question.text.endsWith(QStringLiteral("Write it into the movie anyway?")));
    EXPECT_FALSE(tabsDuringQuestion);
    EXPECT_EQ(FileBytes(), loaded);
    EXPECT_TRUE(TabsEnabled());
    EXPECT_EQ(player_.Actions().back(), "SetFileName()");  // hidden: given nothing back

    dialogs_.QueueYesNo(true);
    Press("Command13");
    EXPECT_EQ(SoundOf(FileBytes(), 5, 64), Bytes(5 * 64, std::byte{0x11}));
    EXPECT_EQ(dialogs_.Unanswered(), 0);
}

TEST_F(AudioToolsTest, JinkAudioDropsItsSecondsOnlyWhenTicked) {
    Open(MovieAt16000BytesPerSecond(5, 4000));
    const Bytes loaded = FileBytes();
    const Bytes sound = SoundOf(loaded, 5, 4000);
    Type("Text13", QStringLiteral("jink.wav"));
    Press("Command12");

    auto* check1 = form_->Control<QCheckBox>(QStringLiteral("Check1"));
    QTest::mouseClick(check1, Qt::LeftButton);
    ASSERT_TRUE(check1->isChecked());
    Type("Text14", QStringLiteral("0.5"));
    Press("Command13");
    Bytes jinked(sound.begin() + 8000, sound.end());  // 0.5 s at 16000 bytes per second
    jinked.resize(sound.size(), std::byte{0});        // the end runs out of samples
    EXPECT_EQ(SoundOf(FileBytes(), 5, 4000), jinked);
    EXPECT_TRUE(dialogs_.shown().empty());

    // Less than half a sample frame cuts nothing: the window says so before it writes.
    const Bytes jinkedMovie = FileBytes();
    Type("Text14", QStringLiteral("0.0001"));
    dialogs_.QueueYesNo(false);
    Press("Command13");
    ASSERT_EQ(dialogs_.shown().size(), 1u);
    EXPECT_TRUE(dialogs_.shown()[0].text.startsWith(
        QStringLiteral("Jink Audio cuts nothing from 0.0001 seconds")))
        << dialogs_.shown()[0].text.toStdString();
    EXPECT_EQ(FileBytes(), jinkedMovie);

    QTest::mouseClick(check1, Qt::LeftButton);
    ASSERT_FALSE(check1->isChecked());
    Press("Command13");  // Text14 still reads 0.0001
    EXPECT_EQ(FileBytes(), loaded);
}

TEST_F(AudioToolsTest, AMissingWavOrOneWithoutSamplesIsRefusedAndNothingWritten) {
    Open(MakeSimpleMovie({}));
    const Bytes loaded = FileBytes();
    WriteFile(InFolder("nodata.wav"),
              brelvo::testing::Riff(
                  "WAVE", {brelvo::testing::Chunk("fmt ", brelvo::testing::WaveFormatData())}));
    for (const char* name : {"absent.wav", "nodata.wav"}) {
        SCOPED_TRACE(name);
        Type("Text13", QString::fromUtf8(name));
        player_.ClearCalls();
        Press("Command13");
        ASSERT_FALSE(dialogs_.shown().empty());
        const auto& shown = dialogs_.shown().back();
        EXPECT_EQ(shown.kind, platform::qt::ScriptedDialogs::Kind::Message);
        EXPECT_TRUE(shown.text.contains(NothingWrittenNote())) << shown.text.toStdString();
        EXPECT_TRUE(shown.text.contains(QString::fromStdString(InFolder(name))));
        EXPECT_EQ(FileBytes(), loaded);
        EXPECT_TRUE(TabsEnabled());
        EXPECT_EQ(form_->windowTitle(), QStringLiteral("Brelvo"));
        EXPECT_EQ(player_.Actions().back(), "SetFileName()");  // hidden: given nothing back
    }
    EXPECT_TRUE(dialogs_.shown()[0].text.contains(QStringLiteral("does not exist")));
    EXPECT_TRUE(dialogs_.shown()[1].text.contains(QStringLiteral("\"data\"")));
    EXPECT_FALSE(std::filesystem::exists(InFolder("absent.wav")));  // never created
}

TEST_F(AudioToolsTest, ClosingTheWindowStopsTheExtractionAndLeavesNothingBehind) {
    OpenFixture("ffmpeg_mpeg4_pcm.avi");
    QObject::connect(form_.get(), &QWidget::windowTitleChanged, form_.get(),
                     [this] { form_->close(); });
    Type("Text13", QStringLiteral("sound.wav"));
    Press("Command12");
    EXPECT_TRUE(form_->ProgramEnded());
    EXPECT_EQ(titles_.size(), 1);  // the first caption, then no more
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
    EXPECT_TRUE(dialogs_.shown().empty());
}

TEST_F(AudioToolsTest, AFailedExtractionSaysWhyAndKeepsTheFileOfThatName) {
    Open(MakeSimpleMovie({}));
    WriteFile(InFolder("keep.wav"), brelvo::testing::ToBytes("old"));
    platform::ScopedFileOpenHook refuse([](const std::string& p, platform::OpenMode mode,
                                           std::unique_ptr<platform::RandomAccessFile> opened)
                                            -> std::unique_ptr<platform::RandomAccessFile> {
        if (mode == platform::OpenMode::CreateTruncate)
            throw platform::IoError(platform::FileOp::Create, p, "No space left on device");
        return opened;
    });
    Type("Text13", QStringLiteral("keep.wav"));
    Press("Command12");
    ASSERT_EQ(dialogs_.Texts().size(), 1);
    EXPECT_EQ(dialogs_.Texts().front(),
              QStringLiteral("Cannot create ") + QString::fromStdString(InFolder("keep.wav")) +
                  QStringLiteral(": No space left on device. ") + NoWavWrittenNote());
    EXPECT_EQ(ReadWholeFile(InFolder("keep.wav")), brelvo::testing::ToBytes("old"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 2);  // no leftovers
    EXPECT_TRUE(TabsEnabled());
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("Brelvo"));
    EXPECT_FALSE(titles_.contains(QStringLiteral("100%")));
}

}  // namespace
}  // namespace brelvo::app::testing
