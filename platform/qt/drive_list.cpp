// SPDX-License-Identifier: GPL-2.0-or-later
// The drive list: roots come from the system's mounted volumes, kept in '/' form inside.
#include "platform/qt/drive_list.h"

#include <QDir>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <algorithm>

namespace brelvo::platform::qt {

namespace {

constexpr int kRootRole = Qt::UserRole;
#ifdef _WIN32
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

// One spelling per root: '/' separators, a trailing '/', an upper-case drive letter.
QString RootKey(const QString& root) {
    QString key = QDir::cleanPath(QDir::fromNativeSeparators(root));
#ifdef _WIN32
    if (key.size() >= 2 && key[1] == QLatin1Char(':')) key[0] = key[0].toUpper();
#endif
    if (!key.endsWith(QLatin1Char('/'))) key += QLatin1Char('/');
    return key;
}

QString ShownName(const QString& key, const QString& label) {
#ifdef _WIN32
    QString shown = key.left(2).toLower();
#else
    QString shown = key.size() > 1 ? key.chopped(1) : key;
#endif
    if (!label.isEmpty()) shown += QStringLiteral(" [") + label + QLatin1Char(']');
    return shown;
}

QString VolumeLabel(const QString& key) {
    const QStorageInfo volume(key);
    return volume.isValid() && volume.isReady() ? volume.name() : QString();
}

// The fallback first, then the rest in order of their roots.
QStringList SortedRoots(const QStringList& roots) {
    QStringList keys;
    for (const QString& root : roots) {
        const QString key = RootKey(root);
        if (!keys.contains(key)) keys.push_back(key);
    }
    const QString fallback = RootKey(DriveList::FallbackDrive());
    std::sort(keys.begin(), keys.end(), [&](const QString& a, const QString& b) {
        if ((a == fallback) != (b == fallback)) return a == fallback;
        return a.compare(b, kPathCase) < 0;
    });
    return keys;
}

QStringList SystemRoots() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid()) roots.push_back(volume.rootPath());
    }
#ifndef _WIN32
    // The root folder always exists, whatever the volume table says.
    roots.push_back(DriveList::FallbackDrive());
#endif
    return roots;
}

bool LiesUnder(const QString& pathKey, const QString& rootKey) {
    return pathKey.startsWith(rootKey, kPathCase);
}

}  // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::ChosenIndexChanged);
    Refresh();
    const QSignalBlocker blocker(this);
    setCurrentIndex(std::max(0, IndexOf(DriveOf(QDir::currentPath()))));
    reported_ = Drive();
}

QString DriveList::Drive() const {
    return QDir::toNativeSeparators(QDir::cleanPath(currentData(kRootRole).toString()));
}

bool DriveList::SetDrive(const QString& drive) {
    const int index = IndexOf(RootKey(drive));
    if (index < 0) return false;
    {
        // Reported below rather than through our own signal, so a caller's QSignalBlocker
        // silences Change without leaving the reported drive behind.
        const QSignalBlocker blocker(this);
        setCurrentIndex(index);
    }
    ChosenIndexChanged(index);
    return true;
}

void DriveList::SetDrives(const QStringList& roots) {
    const QString chosen = currentData(kRootRole).toString();
    {
        const QSignalBlocker blocker(this);
        clear();
        for (const QString& key : SortedRoots(roots))
            addItem(ShownName(key, VolumeLabel(key)), key);
        const int kept = IndexOf(chosen);
        setCurrentIndex(kept >= 0 ? kept : std::max(0, IndexOf(DriveOf(QDir::currentPath()))));
    }
    ChosenIndexChanged(currentIndex());
}

void DriveList::Refresh() {
    SetDrives(SystemRoots());
}

QString DriveList::FallbackDrive() {
#ifdef _WIN32
    return QStringLiteral("C:\\");
#else
    return QStringLiteral("/");
#endif
}

QString DriveList::DriveOf(const QString& path) const {
    const QString pathKey = RootKey(path);
    QString best;
    for (int i = 0; i < count(); ++i) {
        const QString key = itemData(i, kRootRole).toString();
        if (LiesUnder(pathKey, key) && key.size() > best.size()) best = key;
    }
    return best.isEmpty() ? QString() : QDir::toNativeSeparators(QDir::cleanPath(best));
}

void DriveList::ChosenIndexChanged(int index) {
    if (index < 0 || Drive() == reported_) return;
    reported_ = Drive();
    emit Change();
}

int DriveList::IndexOf(const QString& root) const {
    if (root.isEmpty()) return -1;
    const QString key = RootKey(root);
    for (int i = 0; i < count(); ++i) {
        if (itemData(i, kRootRole).toString().compare(key, kPathCase) == 0) return i;
    }
    return -1;
}

}  // namespace brelvo::platform::qt
