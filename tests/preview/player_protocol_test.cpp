// SPDX-License-Identifier: GPL-2.0-or-later
// The order in which the writers take the movie from the player and give it back, and the
// time limit of the waits.
#include "preview/player_protocol.h"

#include <gtest/gtest.h>

#include "tests/support/fake_media_player.h"

namespace brelvo::preview {
namespace {

using Calls = std::vector<std::string>;

// The fake's calls with each wait (auto-start writes and ready-state polls) as one "Wait".
Calls WithWaits(const platform::qt::FakeMediaPlayer& player) {
    Calls out;
    for (const auto& call : player.Calls()) {
        const bool waiting = call == "SetAutoStart(true)" || call == "ReadyState";
        if (!waiting && call != "HasError") out.push_back(call);
        if (waiting && (out.empty() || out.back() != "Wait")) out.push_back("Wait");
    }
    return out;
}

TEST(PlayerProtocol, ReleaseAndRestoreRunTheirStepsInOrder) {
    platform::qt::FakeMediaPlayer player;
    player.ScriptSavedValue(73);
    PlayerProtocol protocol(player, [] {});
    PlayerState state{QStringLiteral("/m/a.avi"), 0, 10, 250};
    EXPECT_TRUE(protocol.ReleasePreview(state));
    EXPECT_EQ(state.savedPlayerValue, 73);
    EXPECT_TRUE(protocol.RestorePreview(state));
    EXPECT_EQ(WithWaits(player), (Calls{"Stop", "Wait", "SavedValue", "SetFileName()", "Wait",
                                        "SetFileName(/m/a.avi)", "Wait", "SetSavedValue(73)",
                                        "SetSelectionStart(10)", "SetSelectionEnd(250)", "Play"}));
}

TEST(PlayerProtocol, WaitOnAPlayerStuckLoadingEndsAtItsLimit) {
    platform::qt::FakeMediaPlayer player;
    PlayerProtocol protocol(
        player, [] {}, std::chrono::milliseconds(100));
    player.SetFileName(QStringLiteral("/m/a.avi"));
    player.ScriptLoadingForever();
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(protocol.WaitForPlayer());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
    PlayerState state;
    EXPECT_FALSE(protocol.ReleasePreview(state));  // still lets go of the file
    EXPECT_EQ(player.FileName(), QString());
}

}  // namespace
}  // namespace brelvo::preview
