// SPDX-License-Identifier: GPL-2.0-or-later
// The launcher: its command line and where it finds the main program, and its window driven
// by clicks and keys: the drive, folder and file lists as the user walks them, and the start
// of the main program, up to a real start of a stand-in.
#include "launcher/form1.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <memory>

#include "launcher/command_line.h"
#include "launcher/main_program_location.h"
#include "tests/support/qt_application_environment.h"
#include "tests/support/scripted_dialogs.h"

namespace brelvo::launcher {
namespace {

// The command line Windows is given: the program's blank cannot run into the movie's path, and
// the movie's path stays bare. (The arguments are checked by the real start below.)
TEST(CommandLine, QuotesAProgramPathWithBlanks) {
    EXPECT_EQ(PlanLaunch("/opt/my tools/brelvo", "/m", "a b.avi")->commandLine,
              "\"/opt/my tools/brelvo\" " + MoviePath("/m", "a b.avi"));
}

TEST(MainProgramLocation, PrefersTheProgramBesideTheLauncher) {
    const QTemporaryDir folder;
    const std::string path = QFile::encodeName(folder.path()).toStdString();
    EXPECT_EQ(LocateMainProgram(path), FixedMainProgramPath());
    const std::string beside = path + "/" + std::string(MainProgramFileName());
    std::ofstream(beside).put('x');
    EXPECT_EQ(LocateMainProgram(path), beside);
}

void WriteFile(const QString& path, const QByteArray& bytes = {}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QStringList Texts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) texts.push_back(list.item(i)->text());
    return texts;
}

// A movie folder with movies in any letter case, other files, hidden ones and sub-folders.
class LauncherWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        for (const char* name : {"My Movies", "My Movies/A", "My Movies/b", "My Movies/dir.avi",
                                 "My Movies/.secret"}) {
            ASSERT_TRUE(QDir(folder.path()).mkdir(QString::fromLatin1(name)));
        }
        for (const char* name : {"clip 1.avi", "Second.Avi", "SHOUT.AVI", "notes.txt",
                                 "clip.avi.txt", ".hidden.avi"}) {
            WriteFile(Movies(QString::fromLatin1(name)));
        }
    }
    // A window whose lists show the movie folder, starting `program`, recording messages.
    std::unique_ptr<Form1> Open(const QString& program) {
        auto form = std::make_unique<Form1>(QFile::encodeName(program).toStdString(), dialogs);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        EXPECT_TRUE(form->Dir1.SetPath(Movies()));
        return form;
    }
    QString Movies(const QString& name = {}) const {
        const QString movies = folder.filePath(QStringLiteral("My Movies"));
        return QDir::toNativeSeparators(name.isEmpty() ? movies : movies + QLatin1Char('/') + name);
    }
    static void ClickRow(QListWidget& list, int row, bool twice = false) {
        const QPoint at = list.visualItemRect(list.item(row)).center();
        // A real double-click is a click and then the double-click event at the same place.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        if (twice) QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    }

    QTemporaryDir folder;
    platform::qt::ScriptedDialogs dialogs;
};

TEST_F(LauncherWindow, ListsTheMoviesAndTheSubFoldersOfTheOpenFolder) {
    const auto form = Open(folder.filePath(QStringLiteral("brelvo")));
    EXPECT_EQ(Texts(form->File1),
              (QStringList{QStringLiteral("clip 1.avi"), QStringLiteral("Second.Avi"),
                           QStringLiteral("SHOUT.AVI")}));
    const QStringList folders = Texts(form->Dir1);
    const int open = form->Dir1.currentRow();  // the open folder, below its parents
    EXPECT_EQ(folders[open], QStringLiteral("My Movies"));
    EXPECT_EQ(folders.mid(open + 1),
              (QStringList{QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("dir.avi")}));
}

// A click selects a folder, a double-click or Enter opens it, and the file list follows.
TEST_F(LauncherWindow, TheFileListFollowsTheFoldersTheUserOpens) {
    const auto form = Open(folder.filePath(QStringLiteral("brelvo")));
    WriteFile(Movies(QStringLiteral("A/inner.avi")));
    const int open = form->Dir1.currentRow();
    ClickRow(form->Dir1, open + 2);
    EXPECT_EQ(form->File1.Path(), Movies());  // selected, not opened
    ClickRow(form->Dir1, open + 1, true);
    EXPECT_EQ(form->Dir1.Path(), Movies(QStringLiteral("A")));
    EXPECT_EQ(Texts(form->File1), QStringList{QStringLiteral("inner.avi")});
    QTest::keyClick(&form->Dir1, Qt::Key_Up);  // Enter on the parent goes back up
    QTest::keyClick(&form->Dir1, Qt::Key_Return);
    EXPECT_EQ(form->File1.Path(), Movies());
}

// Nothing selected does nothing; a double-click or Enter on a movie starts the program, and a
// failed start names its path; a drive that cannot be read falls back to the root silently.
TEST_F(LauncherWindow, FailuresAndAnUnreadableDrive) {
    const QString missing = folder.filePath(QStringLiteral("nowhere/brelvo"));
    const auto form = Open(missing);
    QTest::mouseClick(&form->Command1, Qt::LeftButton);
    EXPECT_TRUE(dialogs.Texts().isEmpty());
    ClickRow(form->File1, 1, true);
    ASSERT_EQ(dialogs.Texts().size(), 1);
    EXPECT_TRUE(dialogs.Texts()[0].contains(missing)) << dialogs.Texts()[0].toStdString();
    QTest::keyClick(&form->File1, Qt::Key_Return);
    EXPECT_EQ(dialogs.Texts().size(), 2);  // Enter starts it too

    const QString fallback = platform::qt::DriveList::FallbackDrive();
    form->Drive1.SetDrives({fallback, folder.filePath(QStringLiteral("gone"))});
    form->Drive1.setFocus();
    QTest::keyClick(&form->Drive1, Qt::Key_Down);  // the user picks the dead drive
    EXPECT_EQ(form->Drive1.Drive(), fallback);
    EXPECT_EQ(form->File1.Path(), fallback);
    EXPECT_EQ(dialogs.Texts().size(), 2);
}

#ifndef _WIN32
TEST_F(LauncherWindow, StartsTheMainProgramWithTheMoviePathAsItsOneArgument) {
    const QString record = folder.filePath(QStringLiteral("received"));
    const QString program = folder.filePath(QStringLiteral("brelvo"));
    WriteFile(program, "#!/bin/sh\nprintf '%s\\n%s' \"$#\" \"$1\" > \"" +
                           QFile::encodeName(record) + ".part\" && mv \"" +
                           QFile::encodeName(record) + ".part\" \"" + QFile::encodeName(record) +
                           "\"\n");
    ASSERT_TRUE(
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const auto form = Open(program);
    ClickRow(form->File1, 0);
    QTest::mouseClick(&form->Command1, Qt::LeftButton);
    EXPECT_TRUE(dialogs.Texts().isEmpty()) << dialogs.Texts().join(QLatin1Char('\n')).toStdString();

    for (int waited = 0; !QFile::exists(record) && waited < 10000; waited += 50) QTest::qWait(50);
    QFile received(record);
    ASSERT_TRUE(received.open(QIODevice::ReadOnly));
    EXPECT_EQ(received.readAll(), "1\n" + QFile::encodeName(Movies(QStringLiteral("clip 1.avi"))));
}
#endif

}  // namespace
}  // namespace brelvo::launcher
