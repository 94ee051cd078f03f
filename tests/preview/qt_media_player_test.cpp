// SPDX-License-Identifier: GPL-2.0-or-later
// The player protocol's time limit on a player stuck loading; then the real Qt player on small
// real movies: it opens, plays the selection in a loop, holds no file between release and
// restore (the order of the protocol's steps and waits shows there), holds none and plays
// nothing while the preview is hidden, and refuses a movie whose picture it cannot show. (The
// window's calls are checked against the recording player in the window's tests.)
#include "platform/qt/qt_media_player.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <filesystem>

#include "app/form1.h"
#include "preview/player_protocol.h"
#include "preview/preview_request.h"
#include "tests/support/fake_media_player.h"
#include "tests/support/qt_application_environment.h"
#include "tests/support/riff_builder.h"
#include "tests/support/scripted_dialogs.h"

namespace brelvo::preview {
namespace {

TEST(PlayerProtocol, WaitOnAPlayerStuckLoadingEndsAtItsLimit) {
    platform::qt::FakeMediaPlayer player;
    PlayerProtocol protocol(
        player, [] {}, std::chrono::milliseconds(100));
    player.SetFileName(QStringLiteral("/m/a.avi"));
    player.ScriptLoadingForever();
    EXPECT_FALSE(protocol.WaitForPlayer());  // without the limit this would never return
    PlayerState state;
    EXPECT_FALSE(protocol.ReleasePreview(state));  // still lets go of the file
    EXPECT_EQ(player.FileName(), QString());
}

// Why the real player cannot run here; empty when it can.
std::string MissingPlayerParts() {
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                           QStringLiteral("/multimedia/libgstreamermediaplugin.so"))) {
        return "Qt's GStreamer media plugin";
    }
    for (const char* element : {"playbin", "avidemux", "avdec_mpeg4", "jpegdec"}) {
        QProcess inspect;
        inspect.start(QStringLiteral("gst-inspect-1.0"),
                      {QStringLiteral("--exists"), QString::fromLatin1(element)});
        if (!inspect.waitForFinished(10000) || inspect.exitCode() != 0) {
            return std::string("the GStreamer element ") + element;
        }
    }
    return {};
}

int OpenHandlesOn(const std::string& path) {
    const auto target = std::filesystem::canonical(path);
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error) == target) ++count;
    }
    return count;
}

void PumpFor(
    int milliseconds, const std::function<void()>& each = [] {}) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        each();
    }
}

class RealPlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const auto missing = MissingPlayerParts(); !missing.empty()) {
            GTEST_SKIP() << "real player not tested, missing: " << missing;
        }
    }

    platform::qt::QtMediaPlayer player;
    PlayerProtocol protocol{player, [] { QCoreApplication::processEvents(); },
                            std::chrono::seconds(10)};
};

TEST_F(RealPlayerTest, PlaysTheSelectionInALoopAndHoldsNoFileWhileReleased) {
    const auto path = brelvo::testing::CopyFixture("ffmpeg_mpeg4_pcm.avi");
    PlayerState state{QString::fromStdString(path), 0, 10, 30};  // 400 to 1200 ms at 25 fps
    player.SetSavedValue(37);
    player.SetFileName(state.aviPath);
    ASSERT_TRUE(protocol.WaitForPlayer());
    player.SetSelectionStart(state.rangeFrom);
    player.SetSelectionEnd(state.rangeTo);
    player.Play();
    qint64 highest = 0, last = 0;
    bool wrapped = false;
    PumpFor(2500, [&] {
        const auto at = player.PositionMs();
        if (!player.IsPlaying()) return;
        highest = std::max(highest, at);
        wrapped = wrapped || at + 200 < last;
        last = at;
    });
    EXPECT_GT(highest, 800);
    EXPECT_LE(highest, 1400);
    EXPECT_TRUE(wrapped);  // back to the selection's start

    ASSERT_TRUE(protocol.ReleasePreview(state));
    EXPECT_EQ(state.savedPlayerValue, 37);
    EXPECT_EQ(OpenHandlesOn(path), 0);
    player.SetSavedValue(100);
    ASSERT_TRUE(protocol.RestorePreview(state));
    EXPECT_EQ(player.SavedValue(), 37);
    PumpFor(800);
    EXPECT_TRUE(player.IsPlaying());
    EXPECT_GT(OpenHandlesOn(path), 0);
}

TEST_F(RealPlayerTest, AHiddenPreviewHoldsNoFileAndPlaysNothingAfterAWriter) {
    const auto path = brelvo::testing::CopyFixture("ffmpeg_mpeg4_pcm.avi");
    platform::qt::ScriptedDialogs dialogs;
    app::Form1 form1(player, dialogs, QString::fromStdString(path), std::chrono::seconds(10));
    form1.SetEndProgram([] {});
    form1.Form_Load();
    ASSERT_EQ(form1.state(), app::Form1::State::Ready);
    // Every writer releases the player the same way (the window's tests check each one's
    // calls); the frame-rate Apply stands for them all.
    const auto writeOnce = [&](const char* when) {
        form1.Command4_Click();
        PumpFor(300);
        EXPECT_EQ(OpenHandlesOn(path), 0) << when;
        EXPECT_FALSE(player.IsPlaying()) << when;
    };
    writeOnce(", the preview never opened");
    form1.SSTab1_Click(0);
    ASSERT_TRUE(form1.PreviewWindow().isVisible());
    PumpFor(500);
    EXPECT_TRUE(player.IsPlaying());
    form1.PreviewWindow().close();
    writeOnce(", the preview closed");
}

TEST_F(RealPlayerTest, MovieWithAnUnknownCodecFailsAndTheNextMovieStillOpens) {
    Form2 form2{player, [] { return true; }, [] {}};
    const auto path = brelvo::testing::CopyFixture("ffmpeg_unknown_fourcc.avi");
    int saved = 0;
    EXPECT_EQ(OpenPreview(form2, protocol, saved, {QString::fromStdString(path), 25.0, 0, 50}),
              PreviewOpening::Failed);
    EXPECT_FALSE(form2.isVisible());
    PumpFor(300);
    EXPECT_EQ(OpenHandlesOn(path), 0);

    const auto good = QString::fromStdString(brelvo::testing::CopyFixture("gst_mjpeg_pcm.avi"));
    EXPECT_EQ(OpenPreview(form2, protocol, saved, {good, 25.0, 0, 50}), PreviewOpening::Shown);
    PumpFor(500);  // this stream names no size: its first frame gives the player its size
    EXPECT_EQ(player.VideoWidget()->size(), QSize(64, 48));
}

}  // namespace
}  // namespace brelvo::preview
