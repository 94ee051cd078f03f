// SPDX-License-Identifier: GPL-2.0-or-later
// The main window Form1: the tab control SSTab1 with every control of its four tabs, the
// document of the open movie, the start-up and close sequences, and one handler per control
// event. The handlers of each concern live in their own file (form1_<concern>.cpp).
#pragma once

#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>

#include "app/movie_document.h"
#include "platform/qt/control_table.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/media_player.h"
#include "preview/player_protocol.h"
#include "preview/preview_request.h"
#include "preview/preview_window.h"

class QMenu;

namespace brelvo::avi {
struct LoadDisplay;
}  // namespace brelvo::avi

namespace brelvo::platform::qt {
class ComboBox;
class TabControl;
}  // namespace brelvo::platform::qt

namespace brelvo::app {

class Form1 : public QWidget {
    Q_OBJECT

  public:
    // The window reaches the player only through the protocol over `player`, and the user
    // only through `dialogs`. commandLine: the movie's path, taken whole.
    Form1(platform::qt::MediaPlayer& player, platform::qt::Dialogs& dialogs, QString commandLine,
          std::chrono::milliseconds playerWaitLimit = std::chrono::seconds(5),
          QWidget* parent = nullptr);
    ~Form1() override;

    // ---- Access for the handler files and tests --------------------------------------------
    MovieDocument& document() { return document_; }
    const MovieDocument& document() const { return document_; }
    platform::qt::Dialogs& dialogs() { return dialogs_; }
    preview::PlayerProtocol& protocol() { return *protocol_; }
    // A control by its name ("Label2", "Combo1", "Frame4"); throws ControlTableError when
    // there is none of that type.
    template <class T = QWidget>
    T* Control(const QString& name) const {
        return controls_.Get<T>(name);
    }
    const platform::qt::ControlRegistry& Controls() const { return controls_; }
    platform::qt::TabControl* SSTab1() const { return sstab1_; }
    QMenu* mymenu() const { return mymenu_; }
    // Lets the window system handle pending events once.
    void PumpEvents();

    // ---- Life cycle --------------------------------------------------------------------------
    enum class State { Starting, Loading, Ready, Closing, Ended };
    State state() const { return state_; }
    bool ProgramEnded() const { return state_ == State::Ended; }
    // What ending the program means (leaving the event loop); tests leave it empty.
    void SetEndProgram(std::function<void()> endProgram) { endProgram_ = std::move(endProgram); }

    void Form_Load();    // the start-up sequence
    void Form_Unload();  // the close sequence: keep-changes prompt, unload, end

    // ---- Loading (shared operations) ---------------------------------------------------------
    // Each returns false when it failed and ended the program.
    bool ScanChunks();
    bool FillStruct();
    void MYGO(const QString& path);
    // Adds text to the list and selects it, unless it is empty or already listed ignoring
    // letter case.
    void AddRangeEntry(platform::qt::ComboBox& combo, const QString& text);

    // ---- Preview player ----------------------------------------------------------------------
    // The protocol over the document's values; savedPlayerValue is kept in the document.
    bool ReleasePreview(bool withHalt = true, bool withFirstWait = true);
    bool RestorePreview(const std::function<void()>& between = {});

    // ---- Key frames (form1_key_frames.cpp) and the about window (form1.cpp) ----------------
    void Command15_Click();
    void Image2_Click();

    // ---- Codec tags (form1_codec_tags.cpp) ---------------------------------------------------
    void Combo1_Click();
    void Combo2_Click();
    void Command1_Click();
    void Command3_Click();

    // ---- Frame rate and audio stretch (form1_frame_rate.cpp) ---------------------------------
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void HScroll1_Change();
    void Text1_Change();
    void Text11_Change();

    // ---- Audio delay (form1_audio_delay.cpp) -------------------------------------------------
    void Command11_Click();
    void Command14_Click();
    void HScroll2_Change();
    void frdelay_Click();
    void Check1_Click();

    // ---- Display selection (form1_selection.cpp) ---------------------------------------------
    void Command16_Click();
    // keyAscii: the character typed (13 for Enter); set it to 0 to swallow the key.
    void Text2_KeyPress(int& keyAscii);
    void Text3_KeyPress(int& keyAscii);
    void Combo3_Click();
    void fradj_Click();

    // ---- WAV file chooser (form1_wav_chooser.cpp) --------------------------------------------
    void Drive1_Change();
    void tview_Change();
    void tview_Click();
    void File1_Click();

    // ---- Audio tools (form1_audio_tools.cpp) -------------------------------------------------
    void Command12_Click();
    void Command13_Click();

    // ---- Author details (form1_author.cpp) ---------------------------------------------------
    void Command2_Click();

    // ---- Preview window (form1_preview.cpp) --------------------------------------------------
    void SSTab1_Click(int previousTab);
    // Unloads the preview window when it is loaded (close sequence, non-AVI command line).
    void UnloadPreviewWindow();
    // The preview window, created (hidden, not loaded) on first use.
    preview::Form2& PreviewWindow();
    // The open movie as the preview plays it: path, frame rate and the display range.
    preview::PreviewMovie PreviewOf(const QString& path) const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildWindow();    // form1_layout.cpp
    void ConnectEvents();  // form1.cpp
    void PlaceWindow();
    void ConfirmKeepChanges();
    void EndProgram();
    // Puts what loading decoded on the controls, raising the combos' click handlers.
    void ApplyLoadDisplay(const avi::LoadDisplay& display);
    void PointFileListAtFolder();

    MovieDocument document_;
    platform::qt::Dialogs& dialogs_;
    std::unique_ptr<preview::PlayerProtocol> protocol_;
    QString commandLine_;
    State state_ = State::Starting;
    std::function<void()> endProgram_;

    platform::qt::ControlRegistry controls_;
    platform::qt::TabControl* sstab1_ = nullptr;
    QMenu* mymenu_ = nullptr;
    std::unique_ptr<preview::Form2> form2_;  // last, so it goes before the protocol
};

}  // namespace brelvo::app
