// SPDX-License-Identifier: GPL-2.0-or-later
// Captions and texts of controls of any kind.
#include "platform/qt/control_text.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "platform/qt/combo_box.h"
#include "platform/qt/limited_text_box.h"

namespace brelvo::platform::qt {

namespace {
// A single-line box holds at most this many characters when no limit is set, as the
// classic text box did.
constexpr int kLineEditUnlimited = 32767;
}  // namespace

QString ControlText(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(control)) return frame->title();
    if (const auto* line = qobject_cast<const QLineEdit*>(control)) return line->text();
    if (const auto* box = qobject_cast<const LimitedTextBox*>(control)) return box->Text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control)) return combo->currentText();
    return {};
}

bool SetControlText(QWidget* control, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(UpToFirstNul(text));  // as a text box shows it, not as boxes
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        frame->setTitle(text);
    } else if (auto* line = qobject_cast<QLineEdit*>(control)) {
        line->setText(UpToFirstNul(text));
        line->setCursorPosition(0);
    } else if (auto* box = qobject_cast<LimitedTextBox*>(control)) {
        box->SetText(text);
    } else {
        return false;
    }
    return true;
}

bool SetControlMaxLength(QWidget* control, int maxLength) {
    if (auto* line = qobject_cast<QLineEdit*>(control)) {
        line->setMaxLength(maxLength > 0 ? maxLength : kLineEditUnlimited);
        return true;
    }
    if (auto* box = qobject_cast<LimitedTextBox*>(control)) {
        box->SetMaxLength(maxLength);
        return true;
    }
    return false;
}

}  // namespace brelvo::platform::qt
