// SPDX-License-Identifier: GPL-2.0-or-later
// Every caption of every window can be read: for each visible label, button, check box, frame
// and tab, the rectangle its text needs (the font's metrics, with its word wrap) lies inside the
// room the control draws it in, and no control drawn above it covers any part of it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextLayout>
#include <algorithm>

#include "app/form1.h"
#include "launcher/form1.h"
#include "platform/qt/frame_box.h"
#include "platform/qt/tab_control.h"
#include "preview/about_window.h"
#include "preview/preview_window.h"
#include "tests/support/fake_media_player.h"
#include "tests/support/qt_application_environment.h"
#include "tests/support/riff_builder.h"
#include "tests/support/scripted_dialogs.h"

namespace brelvo {
namespace {

using platform::qt::FrameBox;
using platform::qt::TabControl;

// One caption: the room its control draws it in, the rectangle its text needs and the
// rectangle of each of its lines, all in the coordinates of `control`.
struct Caption {
    QWidget* control;
    QString text;
    QRect room;
    QRect needed;
    std::vector<QRect> lines;
    bool underChildren;  // a frame's caption lies beneath the controls inside the frame
};

// The lines a word-wrapped text breaks into within `needed`, the block the font's metrics give.
std::vector<QRect> LinesOf(const QFont& font, const QRect& needed, int flags, QString text) {
    if (!(flags & Qt::TextWordWrap)) return {needed};
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    std::vector<QRect> lines;
    layout.beginLayout();
    qreal top = needed.top();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(needed.width());
        const qreal width = line.naturalTextWidth();
        qreal left = needed.left();
        if (flags & Qt::AlignRight) left = needed.left() + needed.width() - width;
        if (flags & Qt::AlignHCenter) left = needed.left() + (needed.width() - width) / 2;
        lines.push_back(QRectF(left, top, width, line.height()).toAlignedRect() & needed);
        top += line.height();
    }
    layout.endLayout();
    return lines;
}

Caption Make(QWidget* control, const QString& text, const QRect& room, int flags,
             bool underChildren) {
    Caption caption{control, text, room, {}, {}, underChildren};
    caption.needed = QFontMetrics(control->font()).boundingRect(room, flags, text);
    caption.lines = LinesOf(control->font(), caption.needed, flags, text);
    return caption;
}

QStyleOptionButton ButtonOption(const QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return option;
}

std::vector<Caption> CaptionsOf(QWidget* widget) {
    std::vector<Caption> captions;
    auto add = [&](QWidget* control, const QString& text, QRect room, int flags,
                   bool underChildren = false) {
        if (!text.isEmpty()) captions.push_back(Make(control, text, room, flags, underChildren));
    };
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        add(label, label->text(), label->contentsRect(),
            static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0));
    } else if (auto* frame = qobject_cast<FrameBox*>(widget)) {
        add(frame, frame->title(), frame->CaptionRect(), Qt::AlignLeft | Qt::AlignTop, true);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        const QStyleOptionButton option = ButtonOption(button);
        add(button, button->text(),
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button),
            Qt::AlignCenter | Qt::TextShowMnemonic);
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        const QStyleOptionButton option = ButtonOption(check);
        add(check, check->text(),
            check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check),
            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic);
    } else if (auto* tabs = qobject_cast<TabControl*>(widget)) {
        for (int i = 0; i < tabs->TabCount(); ++i) {
            add(tabs->Bar(), tabs->TabCaption(i), tabs->CaptionRect(i),
                Qt::AlignCenter | Qt::TextWordWrap);
        }
    }
    return captions;
}

// The lines of a frame or shape, in its own coordinates; none for other controls.
std::vector<QRect> OutlineOf(QWidget* widget) {
    if (qobject_cast<FrameBox*>(widget) == nullptr &&
        widget->metaObject() != &QFrame::staticMetaObject) {
        return {};
    }
    constexpr int kLine = 2;
    const QRect r = widget->rect();
    // A frame's top line runs through the middle of its caption.
    const int top = qobject_cast<FrameBox*>(widget) != nullptr
                        ? static_cast<FrameBox*>(widget)->CaptionRect().center().y()
                        : 0;
    return {QRect(0, top, r.width(), kLine), QRect(0, r.height() - kLine, r.width(), kLine),
            QRect(0, top, kLine, r.height() - top),
            QRect(r.width() - kLine, top, kLine, r.height() - top)};
}

// Where a control drawn above others hides them, in its parent's coordinates: the text of a
// label, the lines and caption of a frame or shape, the whole of any other control.
std::vector<QRect> Ink(QWidget* widget) {
    const QPoint at = widget->pos();
    std::vector<QRect> ink;
    for (const QRect& line : OutlineOf(widget)) ink.push_back(line.translated(at));
    auto* label = qobject_cast<QLabel*>(widget);
    if (ink.empty() && (label == nullptr || label->autoFillBackground())) {
        return {widget->geometry()};
    }
    for (const Caption& caption : CaptionsOf(widget)) {
        for (const QRect& line : caption.lines) ink.push_back(line.translated(at));
    }
    return ink;
}

bool Hides(QWidget* above, const QRect& rect) {
    const auto ink = Ink(above);
    return std::any_of(ink.begin(), ink.end(), [&](const QRect& r) { return r.intersects(rect); });
}

QString NameOf(const QWidget* widget) {
    return widget->objectName().isEmpty() ? QString::fromUtf8(widget->metaObject()->className())
                                          : widget->objectName();
}

QString Describe(const QRect& r) {
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// What keeps the caption from being read whole, or an empty text.
QString Fault(const Caption& caption) {
    QWidget* control = caption.control;
    if (!caption.room.contains(caption.needed)) {
        return QStringLiteral("needs %1 but is drawn in %2")
            .arg(Describe(caption.needed), Describe(caption.room));
    }
    if (!control->rect().contains(caption.room)) {
        return QStringLiteral("is drawn in %1, outside the control %2")
            .arg(Describe(caption.room), Describe(control->rect()));
    }
    for (const QRect& line : caption.lines) {
        if (caption.underChildren) {
            for (QWidget* child : control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (!child->isHidden() && Hides(child, line)) {
                    return QStringLiteral("is covered by %1").arg(NameOf(child));
                }
            }
        }
        // Up through the parents: each one must hold the line without drawing its own lines
        // through it, and no later sibling (drawn above) may hide it.
        QRect at = line;
        for (QWidget* level = control; !level->isWindow(); level = level->parentWidget()) {
            QWidget* parent = level->parentWidget();
            at.translate(level->pos());
            if (!parent->rect().contains(at)) {
                return QStringLiteral("is cut off by %1").arg(NameOf(parent));
            }
            for (const QRect& edge : OutlineOf(parent)) {
                if (edge.intersects(at)) {
                    return QStringLiteral("is crossed by the lines of %1").arg(NameOf(parent));
                }
            }
            const QObjectList& siblings = parent->children();
            for (qsizetype i = siblings.indexOf(level) + 1; i < siblings.size(); ++i) {
                auto* above = qobject_cast<QWidget*>(siblings[i]);
                if (above != nullptr && !above->isWindow() && !above->isHidden() &&
                    Hides(above, at)) {
                    return QStringLiteral("is covered by %1").arg(NameOf(above));
                }
            }
        }
    }
    return {};
}

// Every fault of the window's visible captions, one line each; `checked` counts the captions.
std::string UnreadableCaptions(QWidget& window, int& checked) {
    QStringList faults;
    checked = 0;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible()) continue;
        for (const Caption& caption : CaptionsOf(widget)) {
            ++checked;
            const QString fault = Fault(caption);
            if (!fault.isEmpty()) {
                faults << QStringLiteral("%1 \"%2\" %3")
                              .arg(NameOf(caption.control), caption.text, fault);
            }
        }
    }
    return faults.join(QLatin1Char('\n')).toStdString();
}

void Show(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
}

TEST(WindowCaptions, EveryTabOfTheMainWindowOnAMovieWithSound) {
    platform::qt::FakeMediaPlayer player;
    platform::qt::ScriptedDialogs dialogs;
    const std::string movie = testing::CopyFixture("ffmpeg_mpeg4_pcm.avi");
    app::Form1 form(player, dialogs, QString::fromStdString(movie), std::chrono::milliseconds(200));
    form.Form_Load();
    Show(form);
    TabControl& tabs = *form.SSTab1();
    int checked = 0;
    for (int tab = 0; tab < tabs.TabCount(); ++tab) {
        tabs.SetTab(tab, false);
        EXPECT_EQ(UnreadableCaptions(form, checked), "") << tabs.TabCaption(tab).toStdString();
        EXPECT_GT(checked, 4 + 7) << tabs.TabCaption(tab).toStdString();  // the tabs and a page
    }
    // The controls a movie with sound shows or enables, seen above.
    EXPECT_TRUE(form.Control(QStringLiteral("Frame2"))->isEnabled());
    EXPECT_FALSE(form.Control(QStringLiteral("Frame4"))->isHidden());

    auto& preview = form.PreviewWindow();
    Show(preview);
    EXPECT_EQ(UnreadableCaptions(preview, checked), "");
}

TEST(WindowCaptions, AboutWindowAndLauncher) {
    preview::AboutWindow about;
    Show(about);
    int checked = 0;
    EXPECT_EQ(UnreadableCaptions(about, checked), "");
    EXPECT_EQ(checked, 3);  // version line, credits, "OK"

    platform::qt::ScriptedDialogs dialogs;
    launcher::Form1 launcher("brelvo", dialogs);
    Show(launcher);
    EXPECT_EQ(UnreadableCaptions(launcher, checked), "");
    EXPECT_EQ(checked, 1);
}

}  // namespace
}  // namespace brelvo
