// SPDX-License-Identifier: GPL-2.0-or-later
// The WAV file chooser: the drive list moving the folder list (and falling back to the root
// when a drive cannot be read), the folder list re-reading the file list, a file's name
// going into Text13.
#include <fstream>

#include "platform/qt/drive_list.h"
#include "platform/qt/file_list.h"
#include "tests/app/audio_tools_test_support.h"

namespace brelvo::app::testing {
namespace {

using brelvo::testing::MakeSimpleMovie;
namespace qt = platform::qt;

void Touch(const std::string& path) {
    std::ofstream(path, std::ios::binary) << "RIFF";
}

QStringList Listed(const qt::FileList& files) {
    QStringList names;
    for (int k = 0; k < files.count(); ++k) names.push_back(files.item(k)->text());
    return names;
}

class WavChooserTest : public AudioToolsTest {
  protected:
    qt::DriveList* Drive1() const {
        return form_->Control<qt::DriveList>(QStringLiteral("Drive1"));
    }
    qt::FolderList* tview() const {
        return form_->Control<qt::FolderList>(QStringLiteral("tview"));
    }
    qt::FileList* File1() const { return form_->Control<qt::FileList>(QStringLiteral("File1")); }
};

TEST_F(WavChooserTest, ClickingAFilePutsOnlyItsNameIntoText13) {
    Open(MakeSimpleMovie({}));
    Touch(InFolder("SOUND.WAV"));
    Touch(InFolder("notes.txt"));
    tview()->Refresh();
    QTest::mouseClick(tview()->viewport(), Qt::LeftButton, {},
                      tview()->visualItemRect(tview()->currentItem()).center());
    ASSERT_EQ(Listed(*File1()), QStringList{QStringLiteral("SOUND.WAV")});  // "*.WAV" only

    QTest::mouseClick(File1()->viewport(), Qt::LeftButton, {},
                      File1()->visualItemRect(File1()->item(0)).center());
    EXPECT_EQ(Text("Text13"), QStringLiteral("SOUND.WAV"));
    EXPECT_EQ(File1()->Path(), QString::fromStdString(folder_));
    EXPECT_EQ(tview()->Path(), QString::fromStdString(folder_));
}

TEST_F(WavChooserTest, AnExtractedWavShowsUpAfterAClickOnTheFolderList) {
    Open(MakeSimpleMovie({}));
    Type("Text13", QStringLiteral("fresh.wav"));
    Press("Command12");
    ASSERT_TRUE(std::filesystem::exists(InFolder("fresh.wav")));
    EXPECT_TRUE(Listed(*File1()).isEmpty());  // the extraction does not re-read the list

    // A click on the open folder itself: the folder stays, the files are read again.
    QTest::mouseClick(tview()->viewport(), Qt::LeftButton, {},
                      tview()->visualItemRect(tview()->currentItem()).center());
    EXPECT_EQ(tview()->Path(), QString::fromStdString(folder_));
    EXPECT_EQ(Listed(*File1()), QStringList{QStringLiteral("fresh.wav")});
}

TEST_F(WavChooserTest, ADriveMovesTheListsAndOneThatCannotBeReadFallsBackToTheRoot) {
    Open(MakeSimpleMovie({}));
    const std::string gone = folder_ + "/no-such-volume";
    Drive1()->SetDrives(
        {QStringLiteral("/"), QString::fromStdString(folder_), QString::fromStdString(gone)});
    ASSERT_TRUE(Drive1()->SetDrive(QString::fromStdString(folder_)));
    EXPECT_EQ(tview()->Path(), QString::fromStdString(folder_));
    EXPECT_EQ(File1()->Path(), QString::fromStdString(folder_));

    ASSERT_TRUE(Drive1()->SetDrive(QString::fromStdString(gone)));
    EXPECT_EQ(Drive1()->Drive(), qt::DriveList::FallbackDrive());
    EXPECT_EQ(tview()->Path(), qt::DriveList::FallbackDrive());
    EXPECT_EQ(File1()->Path(), qt::DriveList::FallbackDrive());
    EXPECT_TRUE(dialogs_.shown().empty());
}

}  // namespace
}  // namespace brelvo::app::testing
