// SPDX-License-Identifier: GPL-2.0-or-later
// Message boxes, Yes/No questions and the input box, behind one small interface so that the
// windows can be driven by tests that answer the prompts.
#pragma once

#include <QString>
#include <optional>

namespace brelvo::platform::qt {

// The title of every message box unless another is named.
inline QString ProgramTitle() {
    return QStringLiteral("Brelvo");
}

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // Modal, OK only.
    virtual void MessageBox(const QString& text, const QString& title = ProgramTitle()) = 0;
    // Modal, Yes and No; true for Yes.
    virtual bool AskYesNo(const QString& text, const QString& title) = 0;
    // Modal input box with a proposed answer: the text on OK (possibly empty), nothing on
    // Cancel.
    virtual std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                            const QString& proposed) = 0;
};

}  // namespace brelvo::platform::qt
