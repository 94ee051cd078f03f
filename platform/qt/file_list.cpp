// SPDX-License-Identifier: GPL-2.0-or-later
// The file list: a plain list of names, re-read from the folder on every path or pattern change.
#include "platform/qt/file_list.h"

#include <QDir>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QSignalBlocker>

#include "platform/qt/folder_list.h"

namespace brelvo::platform::qt {

bool MatchesPattern(const QString& name, const QString& pattern) {
    for (const QString& part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString wildcard = part.trimmed();
        if (wildcard == QStringLiteral("*.*") || wildcard == QStringLiteral("*")) return true;
        const QRegularExpression expression(
            QRegularExpression::wildcardToRegularExpression(wildcard),
            QRegularExpression::CaseInsensitiveOption);
        if (expression.match(name).hasMatch()) return true;
    }
    return false;
}

FileList::FileList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemClicked, this, [this] { emit Click(); });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit DoubleClick(); });
    if (!SetPath(QDir::currentPath())) (void)SetPath(QDir::rootPath());
}

QString FileList::Path() const {
    return QDir::toNativeSeparators(path_);
}

bool FileList::SetPath(const QString& path) {
    const QString key = FolderKey(path);
    if (!IsReadableFolder(key)) return false;
    if (key != path_) {
        const QSignalBlocker blocker(this);
        clear();  // a name chosen in the old folder means nothing in the new one
    }
    path_ = key;
    Refresh();
    return true;
}

void FileList::SetPattern(const QString& pattern) {
    pattern_ = pattern;
    Refresh();
}

QString FileList::FileName() const {
    const QListWidgetItem* item = currentItem();
    return item != nullptr && item->isSelected() ? item->text() : QString();
}

void FileList::Refresh() {
    const QString chosen = FileName();
    const QSignalBlocker blocker(this);
    clear();
    const QStringList names =
        QDir(path_).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
        if (MatchesPattern(name, pattern_)) addItem(name);
    }
    const QList<QListWidgetItem*> same =
        findItems(chosen, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!chosen.isEmpty() && !same.isEmpty()) setCurrentItem(same.front());
}

void FileList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!FileName().isEmpty()) emit DoubleClick();
        return;
    }
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before) emit Click();
}

}  // namespace brelvo::platform::qt
