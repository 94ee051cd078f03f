// SPDX-License-Identifier: GPL-2.0-or-later
// A drop-down list whose Click notification follows every selection: the user's choice and
// every selection made by code, also of the entry already selected, as the load and the
// display selection rely on.
#pragma once

#include <QComboBox>

namespace brelvo::platform::qt {

class ComboBox : public QComboBox {
    Q_OBJECT

  public:
    explicit ComboBox(QWidget* parent = nullptr);

    // Adds the items and leaves nothing selected (a fresh list selects nothing).
    void AddItems(const QStringList& items);
    // Selects the entry (-1: none) and raises Click. An index outside the list changes nothing
    // and raises nothing.
    void SetSelectedIndex(int index);
    int SelectedIndex() const { return currentIndex(); }
    QString Text() const { return currentText(); }

  signals:
    void Click();
};

}  // namespace brelvo::platform::qt
