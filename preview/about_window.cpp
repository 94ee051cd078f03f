// SPDX-License-Identifier: GPL-2.0-or-later
// The about window, built from its control table.
#include "preview/about_window.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <array>

#include "platform/qt/image_box.h"

namespace brelvo::preview {

namespace qt = platform::qt;
using namespace qt::rows;

namespace {

constexpr qt::FontSpec kVerdana825{"Verdana", 8.25};
constexpr qt::FontSpec kVerdana975Bold{"Verdana", 9.75, true};
constexpr char kVersionLine[] = "Version 1.2 (31-01-2001)";
constexpr int kClientWidth = 4560;
constexpr int kClientHeight = 3405;

const std::array kForm3 = {
    Shape("Shape1", {30, 30, 4500, 3345}),
    Image("Image1", {150, 120, 4260, 1620}),
    Label("Label32", kVersionLine, {780, 1845, 2985, 225}).Font(kVerdana825),
    Label("Credits",
          "Brelvo edits the headers of AVI movies in place.\n"
          "Written by the Brelvo developers.",
          {240, 2130, 3540, 1110})
        .Font(kVerdana975Bold),
    Button("Command1", "OK", {3870, 2970, 630, 375}),
};

// A film frame with a sound wave running through it.
constexpr char kPictureSvg[] = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 284 108">
  <defs>
    <linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#1d3557"/><stop offset="1" stop-color="#457b9d"/>
    </linearGradient>
  </defs>
  <rect x="2" y="2" width="280" height="104" rx="10" fill="#111"/>
  <g fill="#eee">
    <rect x="12" y="8" width="12" height="8" rx="2"/><rect x="40" y="8" width="12" height="8" rx="2"/>
    <rect x="68" y="8" width="12" height="8" rx="2"/><rect x="96" y="8" width="12" height="8" rx="2"/>
    <rect x="124" y="8" width="12" height="8" rx="2"/><rect x="152" y="8" width="12" height="8" rx="2"/>
    <rect x="180" y="8" width="12" height="8" rx="2"/><rect x="208" y="8" width="12" height="8" rx="2"/>
    <rect x="236" y="8" width="12" height="8" rx="2"/><rect x="264" y="8" width="12" height="8" rx="2"/>
    <rect x="12" y="92" width="12" height="8" rx="2"/><rect x="40" y="92" width="12" height="8" rx="2"/>
    <rect x="68" y="92" width="12" height="8" rx="2"/><rect x="96" y="92" width="12" height="8" rx="2"/>
    <rect x="124" y="92" width="12" height="8" rx="2"/><rect x="152" y="92" width="12" height="8" rx="2"/>
    <rect x="180" y="92" width="12" height="8" rx="2"/><rect x="208" y="92" width="12" height="8" rx="2"/>
    <rect x="236" y="92" width="12" height="8" rx="2"/><rect x="264" y="92" width="12" height="8" rx="2"/>
  </g>
  <rect x="12" y="22" width="260" height="64" fill="url(#sky)"/>
  <path d="M12 62 Q 40 30 68 62 T 124 62 T 180 62 T 236 62 T 272 58" fill="none"
        stroke="#f1c40f" stroke-width="4"/>
  <text x="142" y="50" font-family="sans-serif" font-size="26" font-weight="bold"
        fill="#fff" text-anchor="middle">Brelvo</text>
</svg>)svg";

}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("About Brelvo"));
    const auto scale = qt::TwipsScale::ForScreen(screen());
    setFixedSize(scale.Size(kClientWidth, kClientHeight));
    qt::BuildOptions options;
    options.windowFont = {"MS Sans Serif", 8.25};
    options.labelFont = {"Verdana", 8.25};
    qt::BuildControls(kForm3, this, controls_, scale, options);
    controls_.Get<qt::ImageBox>(QStringLiteral("Image1"))
        ->SetSvg(QByteArray::fromRawData(kPictureSvg, sizeof kPictureSvg - 1));
    auto* ok = controls_.Get<QPushButton>(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &AboutWindow::Command1_Click);
}

void AboutWindow::Command1_Click() {
    accept();
}

void ShowAboutWindow(QWidget* owner) {
    AboutWindow window(owner);
    window.setWindowModality(Qt::ApplicationModal);
    if (const QScreen* screen = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
    window.exec();
    if (owner != nullptr) owner->update();  // the main window redraws where the box stood
}

}  // namespace brelvo::preview
