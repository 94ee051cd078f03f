// SPDX-License-Identifier: GPL-2.0-or-later
// The drop-down list with a Click on every change of its selection.
#include "platform/qt/combo_box.h"

#include <QSignalBlocker>

namespace brelvo::platform::qt {

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    // The user's choice and a selection by code alike raise Click, and only when the
    // selected entry changes: choosing the entry already selected raises nothing.
    connect(this, &QComboBox::currentIndexChanged, this, [this](int) { emit Click(); });
}

void ComboBox::AddItems(const QStringList& items) {
    const QSignalBlocker quiet(this);  // adding to an empty list would select its first entry
    const int before = currentIndex();
    addItems(items);
    setCurrentIndex(before);
}

void ComboBox::AddItem(const QString& text) {
    const QSignalBlocker quiet(this);
    const int before = currentIndex();
    addItem(text);
    setCurrentIndex(before);
}

void ComboBox::SetSelectedIndex(int index) {
    if (index < -1 || index >= count()) return;
    setCurrentIndex(index);
}

}  // namespace brelvo::platform::qt
