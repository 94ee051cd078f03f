// SPDX-License-Identifier: GPL-2.0-or-later
// Building windows from their control tables.
#include "platform/qt/control_table.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>

#include "platform/qt/combo_box.h"
#include "platform/qt/frame_box.h"
#include "platform/qt/image_box.h"
#include "platform/qt/limited_text_box.h"

namespace brelvo::platform::qt {

void ControlRegistry::Add(const QString& name, QWidget* widget) {
    if (!widgets_.emplace(name, widget).second) {
        throw ControlTableError("control listed twice: " + name.toStdString());
    }
}

QWidget* ControlRegistry::Find(const QString& name) const {
    const auto it = widgets_.find(name);
    return it == widgets_.end() ? nullptr : it->second;
}

void ControlRegistry::Missing(const QString& name) {
    throw ControlTableError("no control of that kind: " + name.toStdString());
}

QFont MakeFont(const FontSpec& spec) {
    QFont font;
    if (spec.family != nullptr) {
        const QString family = QString::fromUtf8(spec.family);
        QStringList families{family};
        if (family == u"MS Sans Serif") {
            families << QStringLiteral("Microsoft Sans Serif") << QStringLiteral("Arial");
        }
        if (family == u"MS Sans Serif" || family == u"Arial") {
            families << QStringLiteral("Liberation Sans");
        }
        if (family == u"Verdana") families << QStringLiteral("DejaVu Sans");
        font.setFamilies(families);
    }
    if (spec.points > 0) font.setPointSizeF(spec.points);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    // Families the machine lacks (MS Sans Serif, Verdana) go to fontconfig's nearest match.
    font.setStyleHint(QFont::SansSerif);
    return font;
}

namespace {

QColor ToColor(Colour c) {
    return QColor::fromRgb(static_cast<QRgb>(c.rgb));
}

const FontSpec& DefaultFont(ControlKind kind, const BuildOptions& options) {
    switch (kind) {
        case ControlKind::Label:
            return options.labelFont;
        case ControlKind::Frame:
            return options.frameFont;
        default:
            return options.windowFont;
    }
}

QWidget* MakeWidget(const ControlRow& row, QWidget* parent, const BuildOptions& options) {
    const QString caption = QString::fromUtf8(row.caption);
    switch (row.kind) {
        case ControlKind::Frame:
            return new FrameBox(caption, parent);
        case ControlKind::Label: {
            auto* label = new QLabel(caption, parent);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);  // captions wrap at the label's width
            label->setAlignment((row.rightAligned ? Qt::AlignRight
                                 : row.centred    ? Qt::AlignHCenter
                                                  : Qt::AlignLeft) |
                                (row.bottomAligned ? Qt::AlignBottom : Qt::AlignTop));
            return label;
        }
        case ControlKind::Button:
            return new QPushButton(caption, parent);
        case ControlKind::TextBox: {
            auto* box = new QLineEdit(caption, parent);
            box->setCursorPosition(0);
            if (row.centred) box->setAlignment(Qt::AlignCenter);
            return box;
        }
        case ControlKind::MultiLineTextBox: {
            auto* box = new LimitedTextBox(parent);
            box->SetText(caption);
            box->SetCentred(row.centred);
            box->setVerticalScrollBarPolicy(row.verticalScroll ? Qt::ScrollBarAlwaysOn
                                                               : Qt::ScrollBarAlwaysOff);
            box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            return box;
        }
        case ControlKind::ComboBox:
            return new ComboBox(parent);
        case ControlKind::HScrollBar: {
            auto* bar = new QScrollBar(Qt::Horizontal, parent);
            bar->setRange(row.minimum, row.maximum);
            bar->setTracking(false);  // the change comes when the thumb is let go
            return bar;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(caption, parent);
        case ControlKind::Image:
            return new ImageBox(parent);
        case ControlKind::Shape: {
            auto* shape = new QFrame(parent);
            shape->setFrameShape(QFrame::Box);
            shape->setAttribute(Qt::WA_TransparentForMouseEvents);
            return shape;
        }
        case ControlKind::External:
            if (!options.makeExternal) {
                throw ControlTableError(std::string("no factory for ") + row.name);
            }
            return options.makeExternal(row, parent);
    }
    throw ControlTableError(std::string("unknown kind of ") + row.name);
}

// The kinds drawn straight onto their container, beneath its other controls.
bool IsGraphical(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::Shape || kind == ControlKind::Image;
}

// A caption a hair too wide for its label is set a little tighter, down to this share of the
// font's own spacing, rather than broken into a line the label has no room to show.
constexpr int kTightestSpacingPercent = 96;

void FitCaption(QLabel& label) {
    const QRect room = label.contentsRect();
    const int flags =
        static_cast<int>(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
    QFont font = label.font();
    for (int spacing = 100; spacing >= kTightestSpacingPercent; --spacing) {
        font.setLetterSpacing(QFont::PercentageSpacing, spacing);
        if (room.contains(QFontMetrics(font).boundingRect(room, flags, label.text()))) {
            if (spacing != 100) label.setFont(font);
            return;
        }
    }
}

void ApplyColours(QWidget* widget, const ControlRow& row) {
    if (!row.foreground.set && !row.background.set) return;
    QPalette palette = widget->palette();
    if (row.foreground.set) {
        const QColor fore = ToColor(row.foreground);
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            palette.setColor(role, fore);
        }
    }
    if (row.background.set) {
        const QColor back = ToColor(row.background);
        for (const auto role : {QPalette::Base, QPalette::Button, QPalette::Window}) {
            palette.setColor(role, back);
        }
    }
    widget->setPalette(palette);
}

}  // namespace

void BuildControls(std::span<const ControlRow> table, QWidget* container, ControlRegistry& registry,
                   const TwipsScale& scale, const BuildOptions& options) {
    for (const ControlRow& row : table) {
        QWidget* parent = container;
        if (row.parent != nullptr) {
            parent = registry.Find(QString::fromUtf8(row.parent));
            if (parent == nullptr) {
                throw ControlTableError(std::string(row.name) + " names an unknown parent " +
                                        row.parent);
            }
        }
        QWidget* widget = MakeWidget(row, parent, options);
        widget->setObjectName(QString::fromUtf8(row.name));
        widget->setGeometry(scale.Rect(row.place));
        // Every control gets its font explicitly, so that a frame's bold caption font does
        // not spread to the controls inside it.
        widget->setFont(
            MakeFont(row.font.family != nullptr ? row.font : DefaultFont(row.kind, options)));
        ApplyColours(widget, row);
        if (row.toolTip != nullptr) widget->setToolTip(QString::fromUtf8(row.toolTip));
        widget->setEnabled(row.enabled);
        if (!row.visible) widget->hide();
        if (auto* label = qobject_cast<QLabel*>(widget)) FitCaption(*label);
        registry.Add(widget->objectName(), widget);
    }
    for (auto row = table.rbegin(); row != table.rend(); ++row) {
        if (IsGraphical(row->kind)) registry.Find(QString::fromUtf8(row->name))->lower();
    }
    for (const ControlRow& row : table) {
        if (row.raised) registry.Find(QString::fromUtf8(row.name))->raise();
    }
}

}  // namespace brelvo::platform::qt
