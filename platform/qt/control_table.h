// SPDX-License-Identifier: GPL-2.0-or-later
// Windows described as tables: one row per control with its name, kind, caption, place in
// twips, font, colours, parent frame and initial state. BuildControls creates the widgets
// (objectName = the control's name) and files them in a registry for lookup by name.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <span>
#include <stdexcept>

#include "platform/qt/twips.h"

namespace brelvo::platform::qt {

enum class ControlKind {
    Frame,             // a captioned group (QGroupBox); children are placed relative to it
    Label,             // word-wrapped plain text
    Button,            // push button
    TextBox,           // single line (QLineEdit)
    MultiLineTextBox,  // LimitedTextBox
    ComboBox,          // drop-down list (ComboBox)
    HScrollBar,        // horizontal scroll bar with a range
    CheckBox,
    Image,    // ImageBox: an SVG picture with a click notification
    Shape,    // a plain rectangle along the given place
    External  // made by the caller's factory (drive, folder and file lists)
};

struct FontSpec {
    const char* family = nullptr;  // nullptr: the kind's default font
    double points = 0;
    bool bold = false;
    bool italic = false;
};

struct Colour {
    bool set = false;
    unsigned rgb = 0;  // 0xRRGGBB
};
inline constexpr Colour Rgb(unsigned rgb) {
    return {true, rgb};
}

struct ControlRow {
    const char* name = "";
    ControlKind kind = ControlKind::Label;
    const char* caption = "";  // caption or initial text, UTF-8
    TwipsRect place{};
    const char* parent = nullptr;  // a frame or page by name; nullptr: the table's container
    FontSpec font{};
    Colour foreground{};
    Colour background{};  // the face of a button, the field of a text box or list
    bool enabled = true;
    bool visible = true;
    bool centred = false;
    bool rightAligned = false;
    bool bottomAligned = false;  // a label's text sits on its lower edge
    bool raised = false;         // drawn above every other control of its container
    bool verticalScroll = false;
    int minimum = 0;  // scroll bar range
    int maximum = 0;
    const char* toolTip = nullptr;

    constexpr ControlRow In(const char* frame) const { return With(&ControlRow::parent, frame); }
    constexpr ControlRow Font(FontSpec f) const { return With(&ControlRow::font, f); }
    constexpr ControlRow Fore(Colour c) const { return With(&ControlRow::foreground, c); }
    constexpr ControlRow Back(Colour c) const { return With(&ControlRow::background, c); }
    constexpr ControlRow Disabled() const { return With(&ControlRow::enabled, false); }
    constexpr ControlRow Hidden() const { return With(&ControlRow::visible, false); }
    constexpr ControlRow Centred() const { return With(&ControlRow::centred, true); }
    constexpr ControlRow RightAligned() const { return With(&ControlRow::rightAligned, true); }
    constexpr ControlRow BottomAligned() const { return With(&ControlRow::bottomAligned, true); }
    constexpr ControlRow Raised() const { return With(&ControlRow::raised, true); }
    constexpr ControlRow VerticalScroll() const { return With(&ControlRow::verticalScroll, true); }
    constexpr ControlRow ToolTip(const char* tip) const { return With(&ControlRow::toolTip, tip); }
    constexpr ControlRow Range(int low, int high) const {
        ControlRow r = *this;
        r.minimum = low;
        r.maximum = high;
        return r;
    }

  private:
    template <class T, class V>
    constexpr ControlRow With(T ControlRow::*member, V value) const {
        ControlRow r = *this;
        r.*member = value;
        return r;
    }
};

// Row makers that read like the window tables: Label("Label1", "Filename: ", {150, 240, ...}).
namespace rows {
constexpr ControlRow Make(ControlKind kind, const char* name, const char* caption, TwipsRect at) {
    ControlRow r;
    r.name = name;
    r.kind = kind;
    r.caption = caption;
    r.place = at;
    return r;
}
constexpr ControlRow Frame(const char* n, const char* c, TwipsRect at) {
    return Make(ControlKind::Frame, n, c, at);
}
constexpr ControlRow Label(const char* n, const char* c, TwipsRect at) {
    return Make(ControlKind::Label, n, c, at);
}
constexpr ControlRow Button(const char* n, const char* c, TwipsRect at) {
    return Make(ControlKind::Button, n, c, at);
}
constexpr ControlRow TextBox(const char* n, const char* c, TwipsRect at) {
    return Make(ControlKind::TextBox, n, c, at);
}
constexpr ControlRow MultiLineTextBox(const char* n, const char* c, TwipsRect at) {
    return Make(ControlKind::MultiLineTextBox, n, c, at);
}
constexpr ControlRow DropDownList(const char* n, TwipsRect at) {
    return Make(ControlKind::ComboBox, n, "", at);
}
constexpr ControlRow HScrollBar(const char* n, TwipsRect at, int low, int high) {
    return Make(ControlKind::HScrollBar, n, "", at).Range(low, high);
}
constexpr ControlRow CheckBox(const char* n, const char* c, TwipsRect at) {
    return Make(ControlKind::CheckBox, n, c, at);
}
constexpr ControlRow Image(const char* n, TwipsRect at) {
    return Make(ControlKind::Image, n, "", at);
}
constexpr ControlRow Shape(const char* n, TwipsRect at) {
    return Make(ControlKind::Shape, n, "", at);
}
constexpr ControlRow External(const char* n, TwipsRect at) {
    return Make(ControlKind::External, n, "", at);
}
}  // namespace rows

// Thrown when a table names a parent that is not built yet, or a lookup finds no such control.
class ControlTableError : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

// The controls of a window by name.
class ControlRegistry {
  public:
    void Add(const QString& name, QWidget* widget);
    QWidget* Find(const QString& name) const;  // nullptr when absent
    // The control as T; throws ControlTableError when it is absent or of another type.
    template <class T>
    T* Get(const QString& name) const {
        T* typed = qobject_cast<T*>(Find(name));
        if (typed == nullptr) Missing(name);
        return typed;
    }
    const std::map<QString, QWidget*>& All() const { return widgets_; }

  private:
    [[noreturn]] static void Missing(const QString& name);
    std::map<QString, QWidget*> widgets_;
};

struct BuildOptions {
    FontSpec windowFont;  // buttons, text boxes, lists, check boxes without a font of their own
    FontSpec labelFont;
    FontSpec frameFont;
    // Creates the External rows' widgets (parent already set); required when a table has them.
    std::function<QWidget*(const ControlRow&, QWidget* parent)> makeExternal;
};

// Creates every row's widget under its parent, places it, and adds it to the registry.
// Labels, shapes and pictures lie beneath the other controls of their container, among
// themselves in the order of the table; a raised row lies above everything.
void BuildControls(std::span<const ControlRow> table, QWidget* container, ControlRegistry& registry,
                   const TwipsScale& scale, const BuildOptions& options);

// The font a spec names. Families the machine lacks fall back to the faces nearest in
// metrics (MS Sans Serif and Arial to Liberation Sans, Verdana to DejaVu Sans), else to
// fontconfig's sans-serif match. Where the named family exists (Windows) it is used.
QFont MakeFont(const FontSpec& spec);

}  // namespace brelvo::platform::qt
