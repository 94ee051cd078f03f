// SPDX-License-Identifier: GPL-2.0-or-later
// The Utilities tab's audio tools driven through their buttons: the name check, extraction and
// re-integration with their captions and player calls, the mismatch question, "Jink Audio" and
// the failures with their messages. What the tools write is the core's, tested there.
#include <QCheckBox>
#include <QRegularExpression>
#include <filesystem>

#include "app/audio_tool_messages.h"
#include "audio/audio_track.h"
#include "audio/extract_audio.h"
#include "platform/qt/folder_list.h"
#include "tests/app/form1_harness.h"

namespace brelvo::app::testing {
namespace {

using brelvo::testing::ReadWholeFile;
using brelvo::testing::WriteFile;
namespace qt = platform::qt;

// The window on the Utilities tab, the WAV chooser in the movie's own folder, and every
// caption change recorded with the tabs' state at the time.
class AudioToolsTest : public Form1Test {
  protected:
    void Open(const Bytes& movie) {
        Load(movie);
        folder_ = std::filesystem::path(path_).parent_path().string();
        form_->SSTab1()->SetTab(3, /*raiseClick=*/false);
        form_->show();
        ASSERT_TRUE(form_->Control<qt::FolderList>(QStringLiteral("tview"))
                        ->SetPath(QString::fromStdString(folder_)));
        QObject::connect(form_.get(), &QWidget::windowTitleChanged, form_.get(),
                         [this](const QString& title) {
                             titles_.push_back(title);
                             tabsDuringTitles_.push_back(TabsEnabled());
                         });
    }
    std::string InFolder(std::string_view name) const {
        return (std::filesystem::path(folder_) / name).string();
    }
    long FilesInFolder() const {
        return std::distance(std::filesystem::directory_iterator(folder_), {});
    }
    bool TabsEnabled() const { return form_->SSTab1()->isEnabled(); }
    // Every caption but the last shows progress with the tabs disabled; the last is the title.
    void ExpectProgressCaptions(const QString& pattern, int step) const {
        ASSERT_GE(titles_.size(), 2);
        EXPECT_EQ(titles_.back(), QStringLiteral("Brelvo"));
        const QRegularExpression caption(pattern);
        int last = -1;
        for (qsizetype k = 0; k + 1 < titles_.size(); ++k) {
            const auto match = caption.match(titles_[k]);
            ASSERT_TRUE(match.hasMatch()) << titles_[k].toStdString();
            EXPECT_GE(match.captured(1).toInt(), last + step);  // at most every `step` percent
            EXPECT_LT(match.captured(1).toInt(), 100);
            last = match.captured(1).toInt();
            EXPECT_FALSE(tabsDuringTitles_[static_cast<std::size_t>(k)]);
        }
        EXPECT_TRUE(TabsEnabled());
    }

    std::string folder_;
    QStringList titles_;
    std::vector<bool> tabsDuringTitles_;
};

TEST_F(AudioToolsTest, ExtractionWritesTheCoresWavWithItsCaptionsAndProtocol) {
    Open(ReadWholeFile(brelvo::testing::CopyFixture("ffmpeg_mpeg4_pcm.avi")));
    Type("Text13", QStringLiteral("Sound.Wav"));  // any letter case, kept as typed
    form_->SSTab1_Click(0);                       // a shown preview gets the movie back
    player_.ClearCalls();
    Click("Command12", 3);
    EXPECT_TRUE(dialogs_.shown().empty());
    const auto movie = platform::OpenFile(path_, platform::OpenMode::Read);
    const std::string reference = path_ + ".reference.wav";
    audio::ExtractAudio(path_, audio::AudioTrackFromRecord(*movie, form_->document().record),
                        reference);
    EXPECT_EQ(ReadWholeFile(InFolder("Sound.Wav")), ReadWholeFile(reference));
    ASSERT_GE(titles_.size(), 3);
    EXPECT_EQ(titles_[titles_.size() - 2], QStringLiteral("100%"));
    titles_.removeAt(titles_.size() - 2);
    ExpectProgressCaptions(QStringLiteral(R"(^(\d+)% - \d{4,}[.,]\d\d KBsec$)"), 2);
    // Not halted, and no wait before the value is saved.
    Calls expected = ReleasedAndRestored();
    expected.erase(expected.begin());
    EXPECT_EQ(player_.Actions(), expected);
    EXPECT_EQ(player_.Calls().front(), "SavedValue");
}

// One channel instead of two: written after Yes only; with "Jink Audio" ticked, the sound runs
// half a second (8000 bytes, two chunks) earlier.
TEST_F(AudioToolsTest, AMismatchedWavIsWrittenOnlyAfterYesAndJinkAudioCutsWhenTicked) {
    Open(MakeSimpleMovie({.audioChunkSize = 4000, .audioRate = 16000}));
    Type("Text13", QStringLiteral("edited.wav"));
    Click("Command12", 3);
    const Bytes loaded = FileBytes();
    Bytes wav = ReadWholeFile(InFolder("edited.wav"));
    wav[22] = std::byte{1};
    WriteFile(InFolder("edited.wav"), wav);
    player_.ClearCalls();
    dialogs_.QueueYesNo(false);
    Click("Command13", 3);
    ASSERT_EQ(dialogs_.Texts().size(), 1);
    EXPECT_TRUE(
        dialogs_.Texts()[0].contains(u"(1 channel in the WAV file, 2 channels in the movie)"));
    EXPECT_EQ(FileBytes(), loaded);
    EXPECT_EQ(player_.Actions(), Released());

    QTest::mouseClick(form_->Control<QCheckBox>(QStringLiteral("Check1")), Qt::LeftButton);
    Type("Text14", QStringLiteral("0.5"));
    titles_.clear();
    player_.ClearCalls();
    dialogs_.QueueYesNo(true);
    Click("Command13", 3);
    ExpectProgressCaptions(QStringLiteral(R"(^(\d+)%$)"), 1);
    EXPECT_EQ(player_.Calls()[1], "SavedValue");  // halted, then saved without a wait
    EXPECT_EQ(player_.Actions(), Released());
    const auto sound = [](const Bytes& bytes, int chunk) {
        std::int64_t at = -1;
        for (int k = 0; k <= chunk; ++k) at = brelvo::testing::OffsetOf(bytes, "01wb", at + 1);
        return Bytes(bytes.begin() + at + 8, bytes.begin() + at + 8 + 4000);
    };
    EXPECT_EQ(sound(FileBytes(), 0), sound(loaded, 2));
    EXPECT_EQ(sound(FileBytes(), 4), Bytes(4000, std::byte{0}));  // the end runs out of sound
}

TEST_F(AudioToolsTest, RefusalsAndFailuresSayWhyAndWhatBecameOfTheFiles) {
    Open(MakeSimpleMovie({}));
    const Bytes loaded = FileBytes();
    Type("Text13", QStringLiteral("sound.mp3"));
    Click("Command13", 3);
    EXPECT_EQ(dialogs_.Texts(), QStringList{WavNameMessage()});
    EXPECT_TRUE(player_.Actions().empty());  // refused before the player is touched

    WriteFile(InFolder("keep.wav"), brelvo::testing::ToBytes("old"));
    platform::ScopedFileOpenHook full(
        RefuseOpen("No space left on device", platform::OpenMode::CreateTruncate));
    titles_.clear();
    Type("Text13", QStringLiteral("keep.wav"));
    Click("Command12", 3);
    EXPECT_TRUE(dialogs_.Texts().back().endsWith(NoWavWrittenNote()));
    EXPECT_EQ(FileBytes(), loaded);
    EXPECT_EQ(FilesInFolder(), 2);  // no leftovers
    EXPECT_TRUE(TabsEnabled());
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("Brelvo"));
}

TEST_F(AudioToolsTest, ClosingTheWindowStopsTheExtractionAndLeavesNothingBehind) {
    Open(ReadWholeFile(brelvo::testing::CopyFixture("ffmpeg_mpeg4_pcm.avi")));
    QObject::connect(form_.get(), &QWidget::windowTitleChanged, form_.get(),
                     [this] { form_->close(); });
    Type("Text13", QStringLiteral("sound.wav"));
    Click("Command12", 3);
    EXPECT_TRUE(form_->ProgramEnded());
    EXPECT_EQ(titles_.size(), 1);  // the first caption, then no more
    EXPECT_EQ(FilesInFolder(), 1);
}

}  // namespace
}  // namespace brelvo::app::testing
