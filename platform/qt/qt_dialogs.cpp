// SPDX-License-Identifier: GPL-2.0-or-later
// Qt message boxes and input box, application-modal.
#include "platform/qt/qt_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>

namespace brelvo::platform::qt {

namespace {
// A Yes/No question is answered with one of its buttons: Escape would otherwise count as No,
// and at the exit prompt No writes the saved header back.
class SwallowEscape final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};
}  // namespace

QString ForDisplay(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QChar(u'\r'), QChar(u'\n'));
    return shown;
}

void QtDialogs::MessageBox(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, ForDisplay(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

bool QtDialogs::AskYesNo(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Question, title, ForDisplay(text),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Yes);
    // No close button on the title bar either.
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    SwallowEscape swallow;
    box.installEventFilter(&swallow);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::InputBox(const QString& prompt, const QString& title,
                                           const QString& proposed) {
    bool ok = false;
    const QString answer = QInputDialog::getText(QApplication::activeWindow(), title, prompt,
                                                 QLineEdit::Normal, proposed, &ok);
    if (!ok) return std::nullopt;
    return answer;
}

}  // namespace brelvo::platform::qt
