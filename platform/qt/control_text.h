// SPDX-License-Identifier: GPL-2.0-or-later
// The caption or text of a control, whatever its kind, for code that fills controls by name
// (the load display) and for tests that read them.
#pragma once

#include <QString>

class QWidget;

namespace brelvo::platform::qt {

// Labels, buttons, check boxes and frames give their caption; text boxes their text; lists
// their selected entry's text. Returns false / an empty text for other kinds.
QString ControlText(const QWidget* control);
bool SetControlText(QWidget* control, const QString& text);
// Sets a text box's maximum length; 0 means no limit. False for controls without one.
bool SetControlMaxLength(QWidget* control, int maxLength);

}  // namespace brelvo::platform::qt
