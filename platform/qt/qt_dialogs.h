// SPDX-License-Identifier: GPL-2.0-or-later
// The dialogs interface on Qt's message box and input dialog.
#pragma once

#include "platform/qt/dialogs.h"

namespace brelvo::platform::qt {

class QtDialogs final : public Dialogs {
  public:
    void MessageBox(const QString& text, const QString& title = ProgramTitle()) override;
    bool AskYesNo(const QString& text, const QString& title) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& proposed) override;
};

// Message texts break lines with carriage returns; Qt breaks them at line feeds.
QString ForDisplay(const QString& text);

}  // namespace brelvo::platform::qt
