// SPDX-License-Identifier: GPL-2.0-or-later
// The drop-down list with a Click on every selection.
#include "platform/qt/combo_box.h"

namespace brelvo::platform::qt {

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    // activated comes for every choice of the user, also of the entry already selected;
    // currentIndexChanged is not used, so selections by code raise Click exactly once.
    connect(this, &QComboBox::activated, this, [this](int) { emit Click(); });
}

void ComboBox::AddItems(const QStringList& items) {
    const int before = currentIndex();
    addItems(items);
    setCurrentIndex(before);
}

void ComboBox::SetSelectedIndex(int index) {
    if (index < -1 || index >= count()) return;
    setCurrentIndex(index);
    emit Click();
}

}  // namespace brelvo::platform::qt
