// SPDX-License-Identifier: GPL-2.0-or-later
// The main window's controls, tab by tab, as tables: name, caption or initial text, left,
// top, width, height in twips (inside a frame: from the frame's corner), font, colours and
// initial state.
#include <QAction>
#include <QMenu>
#include <array>

#include "app/form1.h"
#include "app/form1_pictures.h"
#include "avi/name_tables.h"
#include "platform/qt/combo_box.h"
#include "platform/qt/drive_list.h"
#include "platform/qt/file_list.h"
#include "platform/qt/folder_list.h"
#include "platform/qt/image_box.h"
#include "platform/qt/tab_control.h"

namespace brelvo::app {

namespace qt = platform::qt;
using namespace qt::rows;

namespace {

constexpr int kClientWidth = 4830;
constexpr int kClientHeight = 6570;
constexpr qt::TwipsRect kTabControlPlace{0, 15, 4830, 6540};
constexpr int kTabBarHeight = 360;  // the tab row above the first control of every tab

constexpr qt::FontSpec kWindowFont{"MS Sans Serif", 8.25};
constexpr qt::FontSpec kLabelFont{"Arial", 9};
constexpr qt::FontSpec kFrameFont{"Arial", 9.75, true};
constexpr qt::FontSpec kApplyFont{"MS Sans Serif", 8.25, true};
constexpr qt::FontSpec kResetFont{"MS Sans Serif", 9.75, true};
constexpr qt::FontSpec kAuthorFont{"Verdana", 9.75, true};
constexpr qt::FontSpec kArial9Bold{"Arial", 9, true};
constexpr qt::FontSpec kArial9Italic{"Arial", 9, false, true};
constexpr qt::FontSpec kArial975Bold{"Arial", 9.75, true};
constexpr qt::FontSpec kArial825Bold{"Arial", 8.25, true};

constexpr qt::Colour kGreen = qt::Rgb(0x00FF00);
constexpr qt::Colour kRed = qt::Rgb(0xFF0000);
constexpr qt::Colour kWhite = qt::Rgb(0xFFFFFF);
constexpr qt::Colour kBlack = qt::Rgb(0x000000);

// The buttons captioned "Apply" and "Jink Audio": bold on a green face.
constexpr qt::ControlRow GreenButton(const char* name, const char* caption, qt::TwipsRect at) {
    return Button(name, caption, at).Font(kApplyFont).Back(kGreen);
}
constexpr qt::ControlRow ApplyButton(const char* name, qt::TwipsRect at) {
    return GreenButton(name, "Apply", at);
}
constexpr qt::ControlRow AuthorLabel(const char* name, const char* caption, qt::TwipsRect at) {
    return Label(name, caption, at).Font(kAuthorFont).RightAligned();
}
constexpr qt::ControlRow AuthorBox(const char* name, qt::TwipsRect at) {
    return MultiLineTextBox(name, "", at).VerticalScroll().Disabled();
}

// "Brelvo Information"
const std::array kInformationTab = {
    Frame("Frame1", "Video Stream", {150, 370, 4470, 4155}),
    Label("Label1", "Filename: ", {150, 240, 4005, 300}).In("Frame1"),
    Label("Label15", "Compression:", {150, 510, 4005, 300}).In("Frame1"),
    Label("Label2", "Frames:", {150, 795, 4245, 300}).In("Frame1"),
    Button("Command15", "Click to Calculate Keyframes", {2145, 795, 2160, 225}).In("Frame1"),
    Label("Label3", "Frames Per Second: ", {150, 1065, 4005, 300}).In("Frame1"),
    Label("Label4", "File Size:", {150, 1335, 4005, 300}).In("Frame1"),
    Label("Label6", "MicroSeconds Per Frame: ", {150, 1620, 4005, 300}).In("Frame1"),
    Label("Label7", "Peak Bitrate:", {150, 1890, 4005, 300}).In("Frame1"),
    Label("Label8", "Running Time:", {150, 2160, 4005, 300}).In("Frame1"),
    Label("Label9", "Streams:", {150, 2445, 4005, 300}).In("Frame1"),
    Label("Label10", "Resolution:", {150, 2715, 4005, 300}).In("Frame1"),
    Label("Label11", "Start Frame:", {150, 2985, 4005, 300}).In("Frame1"),
    Label("Label13", "Quality Level:", {150, 3270, 4005, 300}).In("Frame1"),
    Label("Label14", "Colour Depth:", {150, 3540, 4005, 300}).In("Frame1"),
    Label("Label18", "Audio Delay:", {150, 3810, 4005, 270}).In("Frame1"),
    Frame("Frame2", "Audio Stream", {150, 4540, 4470, 1815}).Disabled(),
    Label("Label5", "Wave Type: ", {135, 360, 4100, 300}).In("Frame2"),
    Label("Label12", "Sample Rate: ", {135, 675, 4095, 300}).In("Frame2"),
    Label("Label16", "Bit Depth: ", {135, 1020, 4100, 300}).In("Frame2"),
    Label("Label17", "Audio Channels: ", {135, 1350, 4100, 300}).In("Frame2"),
};

// "Synchronize Audio"
const std::array kSynchronizeTab = {
    // The row's labels are centred in their places, so that the boxes leave them whole.
    Label("Label24", "From", {330, 525, 870, 285}).Font(kArial9Bold).Centred(),
    TextBox("Text2", "000000", {1170, 525, 825, 285}).Fore(kWhite).Back(kBlack).Centred(),
    Label("Label23", "LOOP", {1965, 555, 870, 285}).Font(kArial9Bold).Centred(),
    TextBox("Text3", "000000", {2790, 525, 825, 285}).Fore(kWhite).Back(kBlack).Centred(),
    Label("Label25", "To", {3465, 525, 870, 285}).Font(kArial9Bold).Centred(),
    Label("Label31", "Recent", {300, 915, 750, 255}).Font(kArial9Bold),
    DropDownList("Combo3", {1185, 900, 2625, 315}).Fore(kWhite).Back(kBlack),
    ApplyButton("Command16", {3975, 1005, 690, 345}),
    Frame("Frame3", "Stretch Audio", {30, 1350, 4725, 2835}),
    Label("Label27", "Longer Video", {270, 255, 735, 495}).In("Frame3"),
    HScrollBar("HScroll1", {1095, 255, 2550, 270}, -32767, 32767).In("Frame3"),
    Label("Label26", "Shorter     Video", {3765, 255, 735, 495}).In("Frame3"),
    // Holds the rate found at load for the stretch figure; shown, it would lie over the
    // caption "Shorter Video".
    TextBox("Text1", "", {4005, 195, 615, 360}).In("Frame3").Disabled().Hidden(),
    Button("Command5", "-1 Frame", {300, 795, 840, 315}).In("Frame3"),
    Label("Label21", "0", {1170, 795, 2400, 300}).In("Frame3").Font(kArial975Bold).Fore(kRed),
    Button("Command8", "+1 Frame", {3585, 810, 840, 315}).In("Frame3"),
    Button("Command6", "-0.001", {300, 1155, 840, 315}).In("Frame3"),
    Button("Command7", "+0.001", {3585, 1170, 840, 315}).In("Frame3"),
    Button("Command9", "Enter Desired Frame Rate", {1253, 1380, 2205, 315}).In("Frame3"),
    Label("Label39", "Enter Audio Length", {165, 1740, 1065, 495}).In("Frame3"),
    TextBox("Text11", "0.00", {810, 1980, 1665, 285}).In("Frame3"),
    Button("Command10", "Reset", {3045, 1995, 810, 330}).In("Frame3").Font(kResetFont),
    ApplyButton("Command4", {3975, 1995, 690, 345}).In("Frame3"),
    MultiLineTextBox("Text12", "Stretch Audio to 0.00 (100%)\n", {105, 2475, 4530, 315})
        .In("Frame3")
        .Centred(),
    Frame("Frame4", "Delay Audio", {30, 4185, 4725, 1215}).Hidden(),
    HScrollBar("HScroll2", {510, 300, 3675, 240}, 0, 32000).In("Frame4"),
    Label("Label19", "0", {195, 585, 4335, 300}).In("Frame4").Font(kArial975Bold).Fore(kRed),
    GreenButton("Command14", "Jink Audio", {120, 810, 1155, 315}).In("Frame4"),
    ApplyButton("Command11", {3975, 780, 690, 345}).In("Frame4"),
    Label("Label20", "Created by", {195, 5475, 870, 465}).Font(kArial9Italic),
    Image("Image2", {1095, 5475, 3195, 900}).ToolTip("Click Here for more"),
};

// "Author Details": every box and the button start disabled.
const std::array kAuthorTab = {
    AuthorLabel("Label22", "Artist", {825, 600, 855, 285}),
    AuthorBox("Text4", {1755, 585, 2820, 615}),
    AuthorLabel("Label33", "Comments", {330, 1339, 1350, 285}),
    AuthorBox("Text5", {1755, 1320, 2820, 615}),
    AuthorLabel("Label34", "Copyright", {120, 2078, 1560, 285}),
    AuthorBox("Text6", {1755, 2055, 2820, 615}),
    AuthorLabel("Label35", "Name", {825, 2817, 855, 285}),
    AuthorBox("Text7", {1755, 2790, 2820, 615}),
    AuthorLabel("Label36", "Product", {780, 3556, 900, 285}),
    AuthorBox("Text8", {1755, 3540, 2820, 615}),
    AuthorLabel("Label37", "Source", {765, 4295, 915, 285}),
    AuthorBox("Text9", {1755, 4275, 2820, 615}),
    AuthorLabel("Label38", "Subject", {780, 5034, 900, 285}),
    AuthorBox("Text10", {1755, 5010, 2820, 615}),
    AuthorLabel("Label40", "Display Name", {195, 5775, 1485, 285}),
    AuthorBox("disp", {1755, 5745, 2820, 600}),
    ApplyButton("Command2", {105, 6120, 660, 315}).Disabled(),
};

// "Utilities"
const std::array kUtilitiesTab = {
    DropDownList("Combo1", {60, 480, 3090, 330}).Font(kArial825Bold),
    Button("Command1", "Apply Header", {3300, 480, 1305, 330}).Disabled(),
    DropDownList("Combo2", {60, 975, 3090, 330}).Font(kArial825Bold),
    Button("Command3", "Apply Stream", {3300, 975, 1305, 330}).Disabled(),
    Label("Label28", "Warning: Using the options above can cause trouble!", {60, 1410, 4500, 315})
        .Font(kArial9Italic),
    External("Drive1", {90, 1800, 4545, 315}),
    External("tview", {105, 2175, 4545, 1665}),
    External("File1", {60, 3870, 4635, 1350}).Font(kArial825Bold),
    Label("Label30", "File Name:", {105, 5280, 930, 255}).Font(kArial9Bold),
    TextBox("Text13", "", {1080, 5235, 3585, 315}).Font(kArial825Bold),
    Button("Command12", "Extract Audio To Wave File", {45, 5595, 4680, 330}).Disabled(),
    Button("Command13", "Re-Integtrate Audio from Wave File", {45, 6015, 2715, 330}).Disabled(),
    CheckBox("Check1", "Jink Audio", {2805, 6030, 1095, 300}),
    TextBox("Text14", "0.000", {3945, 6030, 720, 285}),
    // Its place begins inside Text14's: the caption sits low and is drawn over the box's edge.
    Label("Label29", "Seconds.", {3930, 6270, 765, 225})
        .Font(kArial9Italic)
        .BottomAligned()
        .Raised(),
};

// The WAV chooser's lists.
QWidget* MakeChooserList(const qt::ControlRow& row, QWidget* parent) {
    const std::string_view name = row.name;
    if (name == "Drive1") return new qt::DriveList(parent);
    if (name == "tview") return new qt::FolderList(parent);
    auto* files = new qt::FileList(parent);
    files->SetPattern(QStringLiteral("*.WAV"));
    return files;
}

QStringList CodecItems(avi::CodecList list) {
    QStringList items;
    for (const std::string_view item : avi::CodecComboItems(list)) {
        items.push_back(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
    }
    return items;
}

}  // namespace

void Form1::BuildWindow() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Brelvo"));
    const auto scale = qt::TwipsScale::ForScreen(screen());
    setFixedSize(scale.Size(kClientWidth, kClientHeight));
    setFont(qt::MakeFont(kWindowFont));

    sstab1_ = new qt::TabControl(
        {QStringLiteral("Brelvo Information"), QStringLiteral("Synchronize Audio"),
         QStringLiteral("Author Details"), QStringLiteral("Utilities")},
        scale.Y(kTabBarHeight), this);
    sstab1_->setObjectName(QStringLiteral("SSTab1"));
    sstab1_->setGeometry(scale.Rect(kTabControlPlace));
    sstab1_->setFont(qt::MakeFont(kWindowFont));
    controls_.Add(sstab1_->objectName(), sstab1_);

    qt::BuildOptions options{kWindowFont, kLabelFont, kFrameFont, MakeChooserList};
    qt::BuildControls(kInformationTab, sstab1_->Page(0), controls_, scale, options);
    qt::BuildControls(kSynchronizeTab, sstab1_->Page(1), controls_, scale, options);
    qt::BuildControls(kAuthorTab, sstab1_->Page(2), controls_, scale, options);
    qt::BuildControls(kUtilitiesTab, sstab1_->Page(3), controls_, scale, options);

    Control<qt::ComboBox>(QStringLiteral("Combo1"))
        ->AddItems(CodecItems(avi::CodecList::HeaderHandler));
    Control<qt::ComboBox>(QStringLiteral("Combo2"))
        ->AddItems(CodecItems(avi::CodecList::StreamCompression));
    Control<qt::ImageBox>(QStringLiteral("Image2"))->SetSvg(Image2Picture());

    // The popup menu exists for its handlers; nothing opens it.
    mymenu_ = new QMenu(QString(), this);
    mymenu_->setObjectName(QStringLiteral("mymenu"));
    for (const auto& [name, caption] : {std::pair{"fradj", "Adjust Display Selection"},
                                        std::pair{"frdelay", "Adjust Frame Delay"},
                                        std::pair{"vencode", "Change Video Encoding Tag"}}) {
        QAction* item = mymenu_->addAction(QString::fromUtf8(caption));
        item->setObjectName(QString::fromUtf8(name));
    }
}

}  // namespace brelvo::app
