// SPDX-License-Identifier: GPL-2.0-or-later
// The file list: the files of one folder whose names match a pattern, in any letter case.
#pragma once

#include <QListWidget>
#include <QString>

namespace brelvo::platform::qt {

// True when `name` matches one of the ';'-separated wildcard patterns, ignoring letter case
// as Windows does everywhere ("*.AVI" takes clip.avi and clip.Avi). "*.*" takes every name.
bool MatchesPattern(const QString& name, const QString& pattern);

class FileList : public QListWidget {
    Q_OBJECT

  public:
    // Lists the current folder of the process with the pattern "*.*".
    explicit FileList(QWidget* parent = nullptr);

    // The listed folder with native separators; a root keeps its separator ("C:\", "/").
    QString Path() const;
    // Lists the folder. False, with the list left as it was, when it cannot be read.
    [[nodiscard]] bool SetPath(const QString& path);
    QString Pattern() const { return pattern_; }
    void SetPattern(const QString& pattern);  // lists the folder again
    // The selected name without folder, as the file system spells it; empty when none.
    QString FileName() const;
    // Reads the folder again, keeping the selected name when it is still there.
    void Refresh();

  signals:
    void Click();        // the user clicked a name or moved the selection with the keys
    void DoubleClick();  // the user double-clicked a name or pressed Enter on it

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString path_;  // FolderKey form
    QString pattern_ = QStringLiteral("*.*");
};

}  // namespace brelvo::platform::qt
