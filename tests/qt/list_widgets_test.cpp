// SPDX-License-Identifier: GPL-2.0-or-later
// The drive, folder and file lists driven as a user drives them: clicks, double-clicks, keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "platform/qt/drive_list.h"
#include "platform/qt/file_list.h"
#include "platform/qt/folder_list.h"
#include "tests/support/qt_application_environment.h"

namespace brelvo::platform::qt {
namespace {

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

QStringList Texts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) texts.push_back(list.item(i)->text());
    return texts;
}

void ClickRow(QListWidget& list, int row, bool twice = false) {
    const QPoint at = list.visualItemRect(list.item(row)).center();
    // A real double-click is a click and then the double-click event at the same place.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
}

class ListWidgets : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        for (const char* name :
             {"clip.avi", "Other.Avi", "SHOUT.AVI", "notes.txt", "clip.avi.txt", ".hidden.avi"}) {
            Touch(folder.filePath(QString::fromLatin1(name)));
        }
        for (const char* name : {"b", "A", "dir.avi", ".secret"}) {
            ASSERT_TRUE(QDir(folder.path()).mkdir(QString::fromLatin1(name)));
        }
    }
    QString Native(const QString& name = {}) const {
        return QDir::toNativeSeparators(name.isEmpty() ? folder.path() : folder.filePath(name));
    }
    QTemporaryDir folder;
};

TEST_F(ListWidgets, FileListOffersMatchingFilesAndReportsClicksDoubleClicksAndEnter) {
    FileList list;
    list.SetPattern(QStringLiteral("*.AVI"));
    ASSERT_TRUE(list.SetPath(folder.path()));
    EXPECT_EQ(list.Path(), Native());
    EXPECT_EQ(Texts(list), (QStringList{QStringLiteral("clip.avi"), QStringLiteral("Other.Avi"),
                                        QStringLiteral("SHOUT.AVI")}));
    EXPECT_TRUE(list.FileName().isEmpty());
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QSignalSpy clicks(&list, &FileList::Click);
    QSignalSpy doubles(&list, &FileList::DoubleClick);
    ClickRow(list, 0, true);  // its first click is a click as well
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_EQ(list.FileName(), QStringLiteral("clip.avi"));
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(clicks.count(), 2);
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(doubles.count(), 2);

    Touch(folder.filePath(QStringLiteral("Added.avi")));
    EXPECT_EQ(list.count(), 3);  // not before the refresh
    list.Refresh();
    EXPECT_EQ(list.count(), 4);
    EXPECT_EQ(list.FileName(), QStringLiteral("Other.Avi"));  // the choice survives
    // A folder that cannot be read leaves the list where it was.
    EXPECT_FALSE(list.SetPath(folder.filePath(QStringLiteral("missing"))));
    EXPECT_EQ(list.Path(), Native());
    EXPECT_EQ(list.count(), 4);
}

TEST_F(ListWidgets, FolderListOpensSubFoldersAndParentsOnDoubleClickOnly) {
    FolderList list;
    ASSERT_TRUE(list.SetPath(folder.path()));
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    const QStringList texts = Texts(list);
    const int open = list.currentRow();  // the open folder, below its parents
    EXPECT_EQ(texts.first(), QDir::toNativeSeparators(QDir::rootPath()));
    EXPECT_EQ(texts[open], QDir(folder.path()).dirName());
    EXPECT_EQ(texts.mid(open + 1),
              (QStringList{QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("dir.avi")}));
    QSignalSpy changes(&list, &FolderList::Change);
    QSignalSpy clicks(&list, &FolderList::Click);

    ClickRow(list, open + 2);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(list.Path(), Native());
    EXPECT_EQ(list.SelectedPath(), Native(QStringLiteral("b")));

    ClickRow(list, open + 1, true);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(list.Path(), Native(QStringLiteral("A")));

    // Enter on the parent entry goes back up.
    QTest::keyClick(&list, Qt::Key_Up);
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(list.Path(), Native());

    EXPECT_FALSE(list.SetPath(folder.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(list.SetPath(folder.filePath(QStringLiteral("notes.txt"))));
    EXPECT_EQ(list.Path(), Native());
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(ListWidgets, DriveListPutsTheFallbackFirstAndReportsOnlyMoves) {
    DriveList drives;
    EXPECT_EQ(drives.itemData(0).toString(),
              QDir::fromNativeSeparators(DriveList::FallbackDrive()));
    drives.SetDrives({folder.path(), DriveList::FallbackDrive()});
    ASSERT_EQ(drives.count(), 2);
    EXPECT_EQ(drives.DriveOf(folder.filePath(QStringLiteral("A"))), Native());

    QSignalSpy changes(&drives, &DriveList::Change);
    ASSERT_TRUE(drives.SetDrive(folder.path()));
    EXPECT_EQ(drives.Drive(), Native());
    ASSERT_TRUE(drives.SetDrive(folder.path() + QLatin1Char('/')));  // the same drive again
    EXPECT_EQ(changes.count(), 1);
    EXPECT_FALSE(drives.SetDrive(folder.filePath(QStringLiteral("A"))));  // not listed

    drives.setFocus();
    QTest::keyClick(&drives, Qt::Key_Up);  // the user picks the other drive
    EXPECT_EQ(drives.Drive(), DriveList::FallbackDrive());
    EXPECT_EQ(changes.count(), 2);
}

}  // namespace
}  // namespace brelvo::platform::qt
