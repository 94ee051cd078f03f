// SPDX-License-Identifier: GPL-2.0-or-later
// Scripted dialogs for tests.
#include "tests/support/scripted_dialogs.h"

namespace brelvo::platform::qt {

void ScriptedDialogs::Record(Kind kind, const QString& title, const QString& text) {
    shown_.push_back({kind, title, text});
    if (onShow_) onShow_(shown_.back());
}

void ScriptedDialogs::MessageBox(const QString& text, const QString& title) {
    Record(Kind::Message, title, text);
}

bool ScriptedDialogs::AskYesNo(const QString& text, const QString& title) {
    Record(Kind::YesNo, title, text);
    if (yesNo_.empty()) return true;
    const bool answer = yesNo_.front();
    yesNo_.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::InputBox(const QString& prompt, const QString& title,
                                                 const QString& proposed) {
    Record(Kind::Input, title, prompt);
    proposed_.push_back(proposed);
    if (inputs_.empty()) return std::nullopt;
    auto answer = inputs_.front();
    inputs_.pop_front();
    return answer;
}

QStringList ScriptedDialogs::Texts() const {
    QStringList texts;
    for (const auto& s : shown_) texts.push_back(s.text);
    return texts;
}

}  // namespace brelvo::platform::qt
