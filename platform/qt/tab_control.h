// SPDX-License-Identifier: GPL-2.0-or-later
// The tab control: tabs in one row across the top and one page per tab, each page covering
// the whole control so that its controls are placed from the control's own corner. A click
// on a tab, and a change of the shown tab by code, raise Click with the tab shown before.
#pragma once

#include <QStringList>
#include <QWidget>

class QTabBar;
class QStackedWidget;

namespace brelvo::platform::qt {

class TabControl : public QWidget {
    Q_OBJECT

  public:
    TabControl(const QStringList& captions, int tabBarHeight, QWidget* parent = nullptr);

    QWidget* Page(int index) const;
    int TabCount() const;
    QString TabCaption(int index) const;
    // Where the tab's caption is drawn, in the tab bar's coordinates.
    QRect CaptionRect(int index) const;
    int Tab() const { return shown_; }
    // Shows the tab. Raises Click(previous) unless raiseClick is false (a picture taken of
    // each tab must not start the preview).
    void SetTab(int index, bool raiseClick = true);
    QTabBar* Bar() const { return bar_; }

  signals:
    void Click(int previousTab);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Show(int index, bool raiseClick);

    QTabBar* bar_;
    QStackedWidget* pages_;
    int barHeight_;
    int shown_ = 0;
    bool quiet_ = false;
};

}  // namespace brelvo::platform::qt
