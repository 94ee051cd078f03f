// SPDX-License-Identifier: GPL-2.0-or-later
// The length-limited multi-line text box.
#include "platform/qt/limited_text_box.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextOption>
#include <limits>

namespace brelvo::platform::qt {

QString UpToFirstNul(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

LimitedTextBox::LimitedTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
}

void LimitedTextBox::SetText(const QString& text) {
    setPlainText(UpToFirstNul(text));
}

void LimitedTextBox::SetCentred(bool centred) {
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(centred ? Qt::AlignHCenter : Qt::AlignLeft);
    document()->setDefaultTextOption(option);
}

int LimitedTextBox::Room() const {
    if (maxLength_ <= 0) return std::numeric_limits<int>::max();
    const auto length = static_cast<int>(toPlainText().size());
    const auto selected = static_cast<int>(textCursor().selectedText().size());
    return std::max(0, maxLength_ - (length - selected));
}

void LimitedTextBox::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool inserts =
        !typed.isEmpty() && (typed.at(0).isPrint() || typed.at(0) == u'\r' || typed.at(0) == u'\n');
    if (inserts && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
        Room() < static_cast<int>(typed.size())) {
        event->accept();  // full: the key is swallowed, as in any length-limited box
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedTextBox::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText()) return;
    insertPlainText(source->text().left(Room()));
}

void LimitedTextBox::inputMethodEvent(QInputMethodEvent* event) {
    const int room = Room();
    if (event->commitString().size() > room) {
        QInputMethodEvent cut(event->preeditString(), event->attributes());
        cut.setCommitString(event->commitString().left(room), event->replacementStart(),
                            event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&cut);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

}  // namespace brelvo::platform::qt
