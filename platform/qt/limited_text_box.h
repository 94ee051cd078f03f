// SPDX-License-Identifier: GPL-2.0-or-later
// A multi-line text box with a maximum length, as the author items need: the user cannot type
// or paste more characters than the item holds, and a text is shown up to its first NUL.
#pragma once

#include <QPlainTextEdit>

namespace brelvo::platform::qt {

class LimitedTextBox : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit LimitedTextBox(QWidget* parent = nullptr);

    // Shows the text up to its first NUL character.
    void SetText(const QString& text);
    QString Text() const { return toPlainText(); }
    // 0 means no limit. Like any text box, only the user's input is limited; a text set by
    // code is shown whole.
    void SetMaxLength(int maxLength) { maxLength_ = maxLength; }
    int MaxLength() const { return maxLength_; }
    void SetCentred(bool centred);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

  private:
    // How many characters may still be inserted in place of the current selection.
    int Room() const;

    int maxLength_ = 0;
};

// The text up to the first NUL.
QString UpToFirstNul(const QString& text);

}  // namespace brelvo::platform::qt
