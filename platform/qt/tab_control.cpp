// SPDX-License-Identifier: GPL-2.0-or-later
// The tab control with its page stack.
#include "platform/qt/tab_control.h"

#include <QFrame>
#include <QStackedWidget>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <algorithm>
#include <cmath>

namespace brelvo::platform::qt {

namespace {

constexpr int kCaptionMarginX = 3;  // between a tab's edge and its caption
constexpr int kCaptionMarginTop = 2;
constexpr int kCaptionMarginBottom = 1;

// Tabs in one row across the whole bar. Each tab is as wide as its caption plus an equal share
// of the room left over, so every caption fits on one line; when the captions together are
// too wide for that, the tabs are of equal width and a long caption wraps onto a second line.
class TabStrip : public QTabBar {
  public:
    using QTabBar::QTabBar;

    QRect CaptionRect(int index) const {
        return tabRect(index).adjusted(kCaptionMarginX, kCaptionMarginTop, -kCaptionMarginX,
                                       -kCaptionMarginBottom);
    }

  private:
    int CaptionWidth(int index) const {
        return static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(tabText(index))));
    }

  protected:
    QSize tabSizeHint(int index) const override {
        const int tabs = std::max(1, count());
        int captions = 0;
        for (int i = 0; i < count(); ++i) captions += CaptionWidth(i);
        const int spare = width() - captions - tabs * 2 * kCaptionMarginX;
        const bool oneLine = spare >= 0;
        const int base = oneLine ? spare / tabs : width() / tabs;
        const int used = oneLine ? captions + tabs * (2 * kCaptionMarginX + base) : base * tabs;
        // The last tab takes the pixels the division left over.
        const int extra = index == tabs - 1 ? width() - used : 0;
        const int own = oneLine ? CaptionWidth(index) + 2 * kCaptionMarginX : 0;
        return {own + base + extra, height()};
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        for (int i = 0; i < count(); ++i) {
            QStyleOptionTab option;
            initStyleOption(&option, i);
            painter.drawControl(QStyle::CE_TabBarTabShape, option);
            painter.setPen(option.palette.color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                                QPalette::WindowText));
            painter.drawText(CaptionRect(i), Qt::AlignCenter | Qt::TextWordWrap, tabText(i));
        }
    }
};

}  // namespace

TabControl::TabControl(const QStringList& captions, int tabBarHeight, QWidget* parent)
    : QWidget(parent),
      bar_(new TabStrip(this)),
      pages_(new QStackedWidget(this)),
      barHeight_(tabBarHeight) {
    bar_->setObjectName(QStringLiteral("tabBar"));
    bar_->setExpanding(false);
    bar_->setUsesScrollButtons(false);
    bar_->setElideMode(Qt::ElideNone);
    bar_->setDrawBase(false);
    for (qsizetype i = 0; i < captions.size(); ++i) {
        bar_->addTab(captions[i]);
        bar_->setTabToolTip(static_cast<int>(i), captions[i]);
        auto* page = new QFrame;
        page->setObjectName(QStringLiteral("page%1").arg(i));
        page->setFrameShape(QFrame::StyledPanel);
        pages_->addWidget(page);
    }
    bar_->raise();
    connect(bar_, &QTabBar::currentChanged, this, [this](int index) { Show(index, !quiet_); });
    // A click on the tab already shown changes nothing on the bar but is still a click.
    connect(bar_, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index == shown_) emit Click(shown_);
    });
}

QWidget* TabControl::Page(int index) const {
    return pages_->widget(index);
}
int TabControl::TabCount() const {
    return pages_->count();
}
QString TabControl::TabCaption(int index) const {
    return bar_->tabText(index);
}
QRect TabControl::CaptionRect(int index) const {
    return static_cast<const TabStrip*>(bar_)->CaptionRect(index);
}

void TabControl::SetTab(int index, bool raiseClick) {
    if (index < 0 || index >= TabCount() || index == shown_) return;
    quiet_ = !raiseClick;
    bar_->setCurrentIndex(index);  // Show runs from currentChanged
    quiet_ = false;
}

void TabControl::Show(int index, bool raiseClick) {
    const int previous = shown_;
    shown_ = index;
    pages_->setCurrentIndex(index);
    if (raiseClick) emit Click(previous);
}

void TabControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    pages_->setGeometry(rect());
    bar_->setGeometry(0, 0, width(), barHeight_);
}

}  // namespace brelvo::platform::qt
