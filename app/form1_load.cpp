// SPDX-License-Identifier: GPL-2.0-or-later
// Loading the movie: the chunk walk, the header decoding with its display on the tabs, and
// the load driver MYGO that finishes the display.
#include <QDebug>
#include <QLineEdit>
#include <QScrollBar>
#include <limits>
#include <string_view>
#include <utility>

#include "app/form1.h"
#include "app/load_messages.h"
#include "avi/author_item_table.h"
#include "avi/decode_headers.h"
#include "avi/load_display.h"
#include "avi/load_summary.h"
#include "avi/normalise_on_load.h"
#include "avi/scan_chunks.h"
#include "platform/file_system.h"
#include "platform/io_error.h"
#include "platform/number_text.h"
#include "platform/qt/combo_box.h"
#include "platform/qt/control_text.h"
#include "platform/qt/file_list.h"
#include "platform/qt/folder_list.h"
#include "platform/random_access_file.h"
#include "platform/rounding.h"

namespace brelvo::app {

namespace qt = platform::qt;

namespace {
QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}
}  // namespace

bool Form1::ScanChunks() {
    document_.openPath = document_.aviPath;
    const std::string path = NativePath(document_.openPath);
    try {
        platform::MakeWritable(path);
    } catch (const platform::IoError&) {
        dialogs_.MessageBox(TransferToHardDiskMessage());
        EndProgram();  // at once: nothing was read, nothing to undo
        return false;
    }
    try {
        const auto file = platform::OpenFile(path, platform::OpenMode::ReadWrite);
        auto scan = avi::ScanChunks(*file);
        document_.chunkMap = std::move(scan.chunkMap);
        document_.headerBackup = std::move(scan.headerBackup);
    } catch (const std::exception&) {
        // Nothing of the walk is kept.
        document_.chunkMap.clear();
        document_.headerBackup.clear();
        dialogs_.MessageBox(OpeningProblemMessage(document_.aviPath));
        Form_Unload();
        return false;
    }
    return true;
}

bool Form1::FillStruct() {
    document_.openPath = document_.aviPath;
    avi::LoadDisplay display;
    try {
        const auto file =
            platform::OpenFile(NativePath(document_.openPath), platform::OpenMode::ReadWrite);
        auto record = avi::DecodeHeaders(*file, document_.chunkMap);
        record = avi::NormaliseOnLoad(*file, document_.chunkMap, std::move(record));
        display = avi::DescribeLoad(record, document_.chunkMap);
        document_.record = std::move(record);
        document_.rangeTo = document_.record.rangeTo;
    } catch (const std::exception&) {
        // Nothing decoded is shown: a half-decoded file would show values that are wrong.
        dialogs_.MessageBox(FillStructProblemMessage(document_.openPath));
        Form_Unload();
        return false;
    }
    ApplyLoadDisplay(display);
    return true;
}

namespace {

// The control that shows each information line.
constexpr std::pair<avi::InfoLine, std::string_view> kLineControls[] = {
    {avi::InfoLine::Filename, "Label1"},       {avi::InfoLine::Compression, "Label15"},
    {avi::InfoLine::Frames, "Label2"},         {avi::InfoLine::FramesPerSec, "Label3"},
    {avi::InfoLine::FileSize, "Label4"},       {avi::InfoLine::MicroSecPerFrame, "Label6"},
    {avi::InfoLine::PeakBitrate, "Label7"},    {avi::InfoLine::RunningTime, "Label8"},
    {avi::InfoLine::Streams, "Label9"},        {avi::InfoLine::Resolution, "Label10"},
    {avi::InfoLine::Range, "Label11"},         {avi::InfoLine::Quality, "Label13"},
    {avi::InfoLine::ColourDepth, "Label14"},   {avi::InfoLine::AudioDelay, "Label18"},
    {avi::InfoLine::WaveType, "Label5"},       {avi::InfoLine::SampleRate, "Label12"},
    {avi::InfoLine::BitDepth, "Label16"},      {avi::InfoLine::Channels, "Label17"},
    {avi::InfoLine::FrameRateBox, "Text1"},    {avi::InfoLine::FrameRateCaption, "Label21"},
    {avi::InfoLine::AudioLengthBox, "Text11"},
};

std::string_view LineControl(avi::InfoLine key) {
    for (const auto& [line, control] : kLineControls) {
        if (line == key) return control;
    }
    return {};
}

}  // namespace

void Form1::ApplyLoadDisplay(const avi::LoadDisplay& display) {
    const auto control = [this](std::string_view name) -> QWidget* {
        QWidget* widget = controls_.Find(FromUtf8(std::string(name)));
        if (widget == nullptr)
            qWarning() << "load display names no control:" << std::string(name).c_str();
        return widget;
    };
    for (const auto& [key, text] : display.lines) {
        if (QWidget* widget = control(LineControl(key))) qt::SetControlText(widget, FromUtf8(text));
    }
    for (const auto& [id, text] : display.author) {
        const auto* item = avi::FindAuthorItem(id);
        QWidget* widget = item != nullptr ? control(item->box) : nullptr;
        if (widget == nullptr) continue;
        qt::SetControlText(widget, FromUtf8(text));
        qt::SetControlMaxLength(widget, display.authorRoom.at(id));
        if (display.authorEditable.contains(id)) widget->setEnabled(true);
    }
    // Any author item found makes the author details worth applying.
    if (!display.author.empty()) Control(QStringLiteral("Command2"))->setEnabled(true);
    if (display.hasAudio) {
        for (const char* name : {"Frame2", "Command12", "Command13"}) {
            Control(QString::fromLatin1(name))->setEnabled(true);
        }
        Control(QStringLiteral("Frame4"))->setHidden(false);
    }
    // SelectHandlerEntry and SelectCompressionEntry: the selection raises the list's click.
    if (display.combo1Index >= 0) {
        Control<qt::ComboBox>(QStringLiteral("Combo1"))->SetSelectedIndex(display.combo1Index);
    }
    if (display.combo2Index >= 0) {
        Control<qt::ComboBox>(QStringLiteral("Combo2"))->SetSelectedIndex(display.combo2Index);
    }
}

void Form1::MYGO(const QString& path) {
    qt::SetControlText(Control(QStringLiteral("Label1")),
                       FromUtf8(std::string(avi::InformationLine(avi::InfoLine::Filename).prefix) +
                                avi::isolatename(path.toStdString())));
    document_.aviPath = path;
    std::int64_t length = 0;
    try {
        length = platform::FileLengthOf(NativePath(path));
    } catch (const platform::IoError&) {
        length = 0;  // the summary then shows a size of 0
    }
    qt::SetControlText(Control(QStringLiteral("Label4")), FromUtf8(avi::FileSizeText(length)));
    setWindowTitle(QStringLiteral("Brelvo"));

    auto* text2 = Control<QLineEdit>(QStringLiteral("Text2"));
    auto* text3 = Control<QLineEdit>(QStringLiteral("Text3"));
    text3->setText(FromUtf8(platform::FormatPlain(document_.record.totalFrames)));
    text2->setText(QStringLiteral("0"));

    auto* combo3 = Control<qt::ComboBox>(QStringLiteral("Combo3"));
    AddRangeEntry(*combo3, FromUtf8(avi::RangeEntryText(
                               platform::ReadLeadingNumber(text2->text().toStdString()),
                               platform::ReadLeadingNumber(text3->text().toStdString()))));
    combo3->setEnabled(false);
    combo3->SetSelectedIndex(0);
    combo3->setEnabled(true);

    // A start whose quarter does not fit the bar leaves the bar where it is.
    auto* hscroll2 = Control<QScrollBar>(QStringLiteral("HScroll2"));
    const double quarter = platform::RoundHalfEven(document_.record.audioDelayStart / 4.0);
    if (quarter >= std::numeric_limits<std::int16_t>::min() &&
        quarter <= std::numeric_limits<std::int16_t>::max() && quarter >= hscroll2->minimum() &&
        quarter <= hscroll2->maximum()) {
        hscroll2->setValue(static_cast<int>(quarter));
    }
    HScroll1_Change();
    HScroll2_Change();
}

void Form1::AddRangeEntry(qt::ComboBox& combo, const QString& text) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(combo.count()));
    for (int i = 0; i < combo.count(); ++i) items.push_back(combo.itemText(i).toStdString());
    int selected = combo.SelectedIndex();
    if (!avi::AddRangeEntry(items, selected, text.toStdString())) return;
    combo.AddItem(text);
    combo.SetSelectedIndex(selected);
}

void Form1::PointFileListAtFolder() {
    auto* folders = Control<qt::FolderList>(QStringLiteral("tview"));
    auto* files = Control<qt::FileList>(QStringLiteral("File1"));
    if (!files->SetPath(folders->Path())) {
        qWarning() << "the WAV file list cannot show" << folders->Path();
    }
}

}  // namespace brelvo::app
