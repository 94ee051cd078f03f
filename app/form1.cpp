// SPDX-License-Identifier: GPL-2.0-or-later
// The main window: construction, the wiring of every control event to its handler, the
// player protocol over the document, and the about window.
#include "app/form1.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

#include "platform/qt/combo_box.h"
#include "platform/qt/drive_list.h"
#include "platform/qt/file_list.h"
#include "platform/qt/folder_list.h"
#include "platform/qt/image_box.h"
#include "platform/qt/tab_control.h"
#include "preview/about_window.h"

namespace brelvo::app {

namespace qt = platform::qt;

Form1::Form1(qt::MediaPlayer& player, qt::Dialogs& dialogs, QString commandLine,
             std::chrono::milliseconds playerWaitLimit, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      protocol_(std::make_unique<preview::PlayerProtocol>(
          player, [this] { PumpEvents(); }, playerWaitLimit)),
      commandLine_(std::move(commandLine)) {
    protocol_->SetPreviewShown([this] { return form2_ && form2_->isVisible(); });
    BuildWindow();
    ConnectEvents();
}

Form1::~Form1() = default;

void Form1::PumpEvents() {
    QCoreApplication::processEvents();
}

void Form1::ConnectEvents() {
    const auto button = [this](const char* name, void (Form1::*handler)()) {
        connect(Control<QPushButton>(QString::fromUtf8(name)), &QPushButton::clicked, this,
                handler);
    };
    button("Command1", &Form1::Command1_Click);
    button("Command2", &Form1::Command2_Click);
    button("Command3", &Form1::Command3_Click);
    button("Command4", &Form1::Command4_Click);
    button("Command5", &Form1::Command5_Click);
    button("Command6", &Form1::Command6_Click);
    button("Command7", &Form1::Command7_Click);
    button("Command8", &Form1::Command8_Click);
    button("Command9", &Form1::Command9_Click);
    button("Command10", &Form1::Command10_Click);
    button("Command11", &Form1::Command11_Click);
    button("Command12", &Form1::Command12_Click);
    button("Command13", &Form1::Command13_Click);
    button("Command14", &Form1::Command14_Click);
    button("Command15", &Form1::Command15_Click);
    button("Command16", &Form1::Command16_Click);

    const auto combo = [this](const char* name, void (Form1::*handler)()) {
        connect(Control<qt::ComboBox>(QString::fromUtf8(name)), &qt::ComboBox::Click, this,
                handler);
    };
    combo("Combo1", &Form1::Combo1_Click);
    combo("Combo2", &Form1::Combo2_Click);
    combo("Combo3", &Form1::Combo3_Click);

    // A scroll bar's change comes for the user's moves and for values set by code.
    connect(Control<QScrollBar>(QStringLiteral("HScroll1")), &QScrollBar::valueChanged, this,
            &Form1::HScroll1_Change);
    connect(Control<QScrollBar>(QStringLiteral("HScroll2")), &QScrollBar::valueChanged, this,
            &Form1::HScroll2_Change);
    connect(Control<QLineEdit>(QStringLiteral("Text1")), &QLineEdit::textChanged, this,
            &Form1::Text1_Change);
    connect(Control<QLineEdit>(QStringLiteral("Text11")), &QLineEdit::textChanged, this,
            &Form1::Text11_Change);
    Control<QLineEdit>(QStringLiteral("Text2"))->installEventFilter(this);
    Control<QLineEdit>(QStringLiteral("Text3"))->installEventFilter(this);
    connect(Control<QCheckBox>(QStringLiteral("Check1")), &QCheckBox::toggled, this,
            &Form1::Check1_Click);

    connect(Control<qt::DriveList>(QStringLiteral("Drive1")), &qt::DriveList::Change, this,
            &Form1::Drive1_Change);
    connect(Control<qt::FolderList>(QStringLiteral("tview")), &qt::FolderList::Change, this,
            &Form1::tview_Change);
    connect(Control<qt::FolderList>(QStringLiteral("tview")), &qt::FolderList::Click, this,
            &Form1::tview_Click);
    connect(Control<qt::FileList>(QStringLiteral("File1")), &qt::FileList::Click, this,
            &Form1::File1_Click);

    connect(sstab1_, &qt::TabControl::Click, this, &Form1::SSTab1_Click);
    connect(Control<qt::ImageBox>(QStringLiteral("Image2")), &qt::ImageBox::Click, this,
            &Form1::Image2_Click);
    connect(mymenu_->findChild<QAction*>(QStringLiteral("fradj")), &QAction::triggered, this,
            &Form1::fradj_Click);
    connect(mymenu_->findChild<QAction*>(QStringLiteral("frdelay")), &QAction::triggered, this,
            &Form1::frdelay_Click);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        if (!typed.isEmpty()) {
            int keyAscii = typed.at(0).unicode();
            if (watched->objectName() == u"Text2") Text2_KeyPress(keyAscii);
            if (watched->objectName() == u"Text3") Text3_KeyPress(keyAscii);
            if (keyAscii == 0) return true;  // the handler swallowed the key
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

bool Form1::ReleasePreview(bool withHalt, bool withFirstWait) {
    auto state = document_.PlayerState();
    const bool settled = protocol_->ReleasePreview(state, withHalt, withFirstWait);
    document_.savedPlayerValue = state.savedPlayerValue;
    return settled;
}

bool Form1::RestorePreview(const std::function<void()>& between) {
    return protocol_->RestorePreview(document_.PlayerState(), between);
}

void Form1::Image2_Click() {
    preview::ShowAboutWindow(this);
}

}  // namespace brelvo::app
