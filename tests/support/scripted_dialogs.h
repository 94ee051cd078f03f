// SPDX-License-Identifier: GPL-2.0-or-later
// Dialogs for tests: answers come from queues, and every box shown is recorded with its kind,
// title and text. A question asked with no answer queued is answered Yes (input box: Cancel).
#pragma once

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "platform/qt/dialogs.h"

namespace brelvo::platform::qt {

class ScriptedDialogs final : public Dialogs {
  public:
    enum class Kind { Message, YesNo, Input };
    struct Shown {
        Kind kind;
        QString title;
        QString text;  // the message, question or prompt
    };

    void QueueYesNo(bool yes) { yesNo_.push_back(yes); }
    void QueueInput(std::optional<QString> answer) { inputs_.push_back(std::move(answer)); }
    // Runs while each box is "open", after it is recorded (e.g. to look at the windows).
    void OnShow(std::function<void(const Shown&)> hook) { onShow_ = std::move(hook); }

    void MessageBox(const QString& text, const QString& title = ProgramTitle()) override;
    bool AskYesNo(const QString& text, const QString& title) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& proposed) override;

    const std::vector<Shown>& shown() const { return shown_; }
    QStringList Texts() const;                                 // the texts of every box, in order
    const QStringList& Proposed() const { return proposed_; }  // input boxes' proposals

  private:
    void Record(Kind kind, const QString& title, const QString& text);

    std::deque<bool> yesNo_;
    std::deque<std::optional<QString>> inputs_;
    std::function<void(const Shown&)> onShow_;
    std::vector<Shown> shown_;
    QStringList proposed_;
};

}  // namespace brelvo::platform::qt
