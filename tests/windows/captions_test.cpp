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

std::vector<Caption> CaptionsOf(QWidget* widget) {
    std::vector<Caption> captions;
    const auto add = [&](QWidget* control, const QString& text, const QRect& room, int flags,
                         bool underChildren = false) {
        if (text.isEmpty()) return;
        const QRect needed = QFontMetrics(control->font()).boundingRect(room, flags, text);
        captions.push_back({control, text, room, needed,
                            LinesOf(control->font(), needed, flags, text), underChildren});
    };
    const auto contents = [](QAbstractButton* button, QStyle::SubElement element) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return button->style()->subElementRect(element, &option, button);
    };
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        add(label, label->text(), label->contentsRect(),
            static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0));
    } else if (auto* frame = qobject_cast<FrameBox*>(widget)) {
        add(frame, frame->title(), frame->CaptionRect(), Qt::AlignLeft | Qt::AlignTop, true);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        add(button, button->text(), contents(button, QStyle::SE_PushButtonContents),
            Qt::AlignCenter | Qt::TextShowMnemonic);
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        add(check, check->text(), contents(check, QStyle::SE_CheckBoxContents),
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
    auto* frame = qobject_cast<FrameBox*>(widget);
    if (frame == nullptr && widget->metaObject() != &QFrame::staticMetaObject) return {};
    constexpr int kLine = 2;
    const QRect r = widget->rect();
    const int top = frame != nullptr ? frame->CaptionRect().center().y() : 0;  // through it
    return {QRect(0, top, r.width(), kLine), QRect(0, r.height() - kLine, r.width(), kLine),
            QRect(0, top, kLine, r.height() - top),
            QRect(r.width() - kLine, top, kLine, r.height() - top)};
}

// Whether a control drawn above hides the rectangle (in the parent's coordinates) with its
// ink: the text of a label, the lines and caption of a frame or shape, the whole of any other.
bool Hides(QWidget* above, const QRect& rect) {
    std::vector<QRect> ink = OutlineOf(above);
    auto* label = qobject_cast<QLabel*>(above);
    if (ink.empty() && (label == nullptr || label->autoFillBackground())) {
        ink.push_back(above->rect());
    } else {
        for (const Caption& caption : CaptionsOf(above)) {
            ink.insert(ink.end(), caption.lines.begin(), caption.lines.end());
        }
    }
    const QRect at = rect.translated(-above->pos());
    return std::any_of(ink.begin(), ink.end(), [&](const QRect& r) { return r.intersects(at); });
}

QString NameOf(const QWidget* widget) {
    return widget->objectName().isEmpty() ? QString::fromUtf8(widget->metaObject()->className())
                                          : widget->objectName();
}

// The first of `items` from `from` on, drawn above the rectangle (in their parent's
// coordinates), that hides it; null when none does.
QWidget* CoveringIn(const QObjectList& items, qsizetype from, const QRect& rect) {
    for (qsizetype i = from; i < items.size(); ++i) {
        auto* above = qobject_cast<QWidget*>(items[i]);
        if (above != nullptr && !above->isWindow() && !above->isHidden() && Hides(above, rect)) {
            return above;
        }
    }
    return nullptr;
}

// What keeps the caption from being read whole, or an empty text.
QString Fault(const Caption& caption) {
    QWidget* control = caption.control;
    if (!caption.room.contains(caption.needed)) return QStringLiteral("does not fit its room");
    if (!control->rect().contains(caption.room)) return QStringLiteral("is drawn outside");
    for (const QRect& line : caption.lines) {
        QWidget* cover = caption.underChildren ? CoveringIn(control->children(), 0, line) : nullptr;
        // Up through the parents: each one must hold the line without drawing its own lines
        // through it, and no later sibling (drawn above) may hide it.
        QRect at = line;
        for (QWidget* level = control; !level->isWindow(); level = level->parentWidget()) {
            QWidget* parent = level->parentWidget();
            at.translate(level->pos());
            const auto edges = OutlineOf(parent);
            if (!parent->rect().contains(at) ||
                std::any_of(edges.begin(), edges.end(),
                            [&](const QRect& e) { return e.intersects(at); })) {
                return QStringLiteral("is cut off or crossed by %1").arg(NameOf(parent));
            }
            const QObjectList& siblings = parent->children();
            if (cover == nullptr) cover = CoveringIn(siblings, siblings.indexOf(level) + 1, at);
            if (cover != nullptr) return QStringLiteral("is covered by %1").arg(NameOf(cover));
        }
    }
    return {};
}

// Every fault of the window's visible captions, one line each; `checked` counts the captions.
std::string UnreadableCaptions(QWidget& window, int& checked) {
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    QStringList faults;
    checked = 0;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible()) continue;
        for (const Caption& caption : CaptionsOf(widget)) {
            ++checked;
            if (const QString fault = Fault(caption); !fault.isEmpty()) {
                faults << QStringLiteral("%1 \"%2\" %3")
                              .arg(NameOf(caption.control), caption.text, fault);
            }
        }
    }
    return faults.join(QLatin1Char('\n')).toStdString();
}

TEST(WindowCaptions, EveryTabOfTheMainWindowOnAMovieWithSoundAndTheOtherWindows) {
    platform::qt::FakeMediaPlayer player;
    platform::qt::ScriptedDialogs dialogs;
    const std::string movie = testing::CopyFixture("ffmpeg_mpeg4_pcm.avi");
    app::Form1 form(player, dialogs, QString::fromStdString(movie), std::chrono::milliseconds(200));
    form.Form_Load();
    TabControl& tabs = *form.SSTab1();
    int checked = 0;
    for (int tab = 0; tab < tabs.TabCount(); ++tab) {
        tabs.SetTab(tab, false);
        EXPECT_EQ(UnreadableCaptions(form, checked), "") << tabs.TabCaption(tab).toStdString();
        EXPECT_GT(checked, 4 + 7) << tabs.TabCaption(tab).toStdString();  // the tabs and a page
    }
    EXPECT_EQ(UnreadableCaptions(form.PreviewWindow(), checked), "");
    preview::AboutWindow about;
    EXPECT_EQ(UnreadableCaptions(about, checked), "");
    EXPECT_EQ(checked, 3);  // version line, credits, "OK"
    launcher::Form1 launcher("brelvo", dialogs);
    EXPECT_EQ(UnreadableCaptions(launcher, checked), "");
    EXPECT_EQ(checked, 1);
}

}  // namespace
}  // namespace brelvo
