// SPDX-License-Identifier: GPL-2.0-or-later
// A drop-down list whose Click notification follows every change of its selection, by the
// user or by code, as the load and the display selection rely on. Selecting the entry that
// is already selected changes nothing and raises nothing.
#pragma once

#include <QComboBox>

namespace brelvo::platform::qt {

class ComboBox : public QComboBox {
    Q_OBJECT

  public:
    explicit ComboBox(QWidget* parent = nullptr);

    // Adds the items and leaves nothing selected (a fresh list selects nothing).
    void AddItems(const QStringList& items);
    // Adds one entry at the end; the selection stays as it was.
    void AddItem(const QString& text);
    // Selects the entry (-1: none) and raises Click when that changes the selection. An index
    // outside the list changes nothing and raises nothing.
    void SetSelectedIndex(int index);
    int SelectedIndex() const { return currentIndex(); }
    QString Text() const { return currentText(); }

  signals:
    void Click();
};

}  // namespace brelvo::platform::qt
