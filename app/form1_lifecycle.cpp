// SPDX-License-Identifier: GPL-2.0-or-later
// The main window's life: the start-up sequence, the window's place, the close sequence with
// its keep-changes prompt, and the end of the program.
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "app/form1.h"
#include "app/load_messages.h"
#include "avi/scan_chunks.h"
#include "platform/qt/twips.h"

namespace brelvo::app {

namespace {
constexpr int kBottomGapTwips = 400;  // the window's bottom edge stands this far above the
                                      // bottom of the screen's free area

bool NamesAnAvi(const QString& path) {
    return path.right(4).toUpper() == u".AVI";
}
}  // namespace

void Form1::Form_Load() {
    document_.aviPath = commandLine_;
    if (!NamesAnAvi(document_.aviPath)) {
        hide();
        UnloadPreviewWindow();
        dialogs_.MessageBox(NotAnAviMessage());
        Form_Unload();
        return;
    }

    state_ = State::Loading;
    PlaceWindow();
    show();
    PlaceWindow();  // again, now that the window frame's height is known
    PumpEvents();   // drawn before the file is read
    // The user may have closed the window in that pump: the close sequence ended the program,
    // and nothing after it may touch the file.
    if (state_ != State::Loading) return;

    if (!ScanChunks()) return;
    if (!FillStruct()) return;
    document_.rangeFrom = 0;
    MYGO(document_.aviPath);
    // The codec lists' selections during the load enabled their Apply buttons.
    Control<QPushButton>(QStringLiteral("Command1"))->setEnabled(false);
    Control<QPushButton>(QStringLiteral("Command3"))->setEnabled(false);
    PointFileListAtFolder();
    state_ = State::Ready;
}

void Form1::PlaceWindow() {
    const QScreen* shownOn = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (shownOn == nullptr) return;
    const QRect area = shownOn->availableGeometry();
    const auto scale = platform::qt::TwipsScale::ForScreen(shownOn);
    const int frameHeight = frameGeometry().height();
    move(area.left(), area.top() + area.height() - (frameHeight + scale.Y(kBottomGapTwips)));
}

void Form1::Form_Unload() {
    if (state_ == State::Closing || state_ == State::Ended) return;
    state_ = State::Closing;
    ConfirmKeepChanges();
    UnloadPreviewWindow();
    hide();
    EndProgram();
}

void Form1::ConfirmKeepChanges() {
    if (!document_.altered) return;
    if (dialogs_.AskYesNo(KeepChangesQuestion(), KeepChangesTitle())) return;
    ReleasePreview();
    try {
        avi::ApplyPlan(
            NativePath(document_.aviPath),
            avi::HeaderRestorePlan(document_.headerBackup, document_.record.loadedLength));
    } catch (const std::exception& error) {
        // The program still ends; the user must know the changes stayed in the file.
        dialogs_.MessageBox(WriteBackFailedMessage(QString::fromStdString(error.what())));
    }
}

void Form1::EndProgram() {
    state_ = State::Ended;
    hide();
    if (endProgram_) endProgram_();
}

}  // namespace brelvo::app
