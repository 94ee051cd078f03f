// SPDX-License-Identifier: GPL-2.0-or-later
// The folder list: the current folder with its parents above it and its sub-folders below;
// a double-click (or Enter) opens an entry, a click only selects it.
#pragma once

#include <QListWidget>
#include <QString>

namespace brelvo::platform::qt {

// True for a folder whose entries can be listed (and, on POSIX, entered).
bool IsReadableFolder(const QString& path);
// The absolute, cleaned form of a folder path with '/' separators.
QString FolderKey(const QString& path);

class FolderList : public QListWidget {
    Q_OBJECT

  public:
    // Opens in the current folder of the process (its root when that cannot be read).
    explicit FolderList(QWidget* parent = nullptr);

    // The open folder with native separators; a root keeps its separator ("C:\", "/").
    QString Path() const;
    // Opens the folder and lists it again; emits Change when the folder moves. False, with
    // the list left as it was, when the folder does not exist or cannot be read.
    [[nodiscard]] bool SetPath(const QString& path);
    // The folder of the selected entry (the open folder unless the user moved the selection).
    QString SelectedPath() const;
    // Lists the open folder's sub-folders again.
    void Refresh();

  signals:
    void Change();  // the open folder moved
    void Click();   // the user clicked an entry or moved the selection with the keys

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Fill();
    void OpenEntry(const QListWidgetItem* item);

    QString path_;  // FolderKey form
};

}  // namespace brelvo::platform::qt
