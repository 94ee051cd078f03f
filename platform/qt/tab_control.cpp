// SPDX-License-Identifier: GPL-2.0-or-later
// The tab control with its page stack.
#include "platform/qt/tab_control.h"

#include <QFrame>
#include <QStackedWidget>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <algorithm>

namespace brelvo::platform::qt {

namespace {

// Tabs of equal width in one row; a caption too long for its tab wraps onto a second line
// instead of being cut short.
class TabStrip : public QTabBar {
  public:
    using QTabBar::QTabBar;

  protected:
    QSize tabSizeHint(int index) const override {
        const int tabs = std::max(1, count());
        const int base = width() / tabs;
        // The last tab takes the pixels the division left over.
        const int extra = index == tabs - 1 ? width() - base * tabs : 0;
        return {base + extra, height()};
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
            painter.drawText(tabRect(i).adjusted(3, 2, -3, -1), Qt::AlignCenter | Qt::TextWordWrap,
                             tabText(i));
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
