// SPDX-License-Identifier: GPL-2.0-or-later
// The drive list: a drop-down of the machine's drives (Windows drive letters, the mounted
// volumes elsewhere) that reports every change of the chosen drive.
#pragma once

#include <QComboBox>
#include <QString>
#include <QStringList>

namespace brelvo::platform::qt {

class DriveList : public QComboBox {
    Q_OBJECT

  public:
    // Lists the drives and chooses the one holding the current folder, without a Change.
    explicit DriveList(QWidget* parent = nullptr);

    // The chosen drive's root folder with native separators ("C:\", "/", "/media/usb"); a
    // root keeps its separator, a mount point has none at its end.
    QString Drive() const;
    // Chooses the listed drive whose root is `drive` (any separators, a Windows letter in
    // either case, "C:" for "C:\"); emits Change when the choice moves. False when not listed.
    [[nodiscard]] bool SetDrive(const QString& drive);
    // Lists the given roots instead of the system's, keeping the choice when still listed.
    void SetDrives(const QStringList& roots);
    // Reads the system's drives again.
    void Refresh();

    // The drive every chooser falls back to when a drive cannot be read: "C:\" on Windows,
    // the root folder elsewhere.
    static QString FallbackDrive();
    // The listed drive that holds `path` (the longest root it lies under).
    QString DriveOf(const QString& path) const;

  signals:
    // The chosen drive changed, by the user or by SetDrive.
    void Change();

  private:
    void ChosenIndexChanged(int index);
    int IndexOf(const QString& root) const;

    QString reported_;  // the drive the last Change was raised for
};

}  // namespace brelvo::platform::qt
