// SPDX-License-Identifier: GPL-2.0-or-later
// The folder list: entries carry their folder and their depth; a delegate indents by depth.
#include "platform/qt/folder_list.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>

namespace brelvo::platform::qt {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndentPixels = 12;

// Shows the folder tree's shape in a flat list: each entry moved right by its depth.
class DepthIndentDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + Indent(index));
        QStyledItemDelegate::paint(painter, shifted, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(Indent(index), 0);
    }

  private:
    static int Indent(const QModelIndex& index) {
        return index.data(kDepthRole).toInt() * kIndentPixels;
    }
};

QString EntryName(const QString& key) {
    const QString name = QFileInfo(key).fileName();
    return name.isEmpty() ? QDir::toNativeSeparators(key) : name;  // a root has no name
}

}  // namespace

bool IsReadableFolder(const QString& path) {
    const QFileInfo info(path);
#ifdef _WIN32
    return info.isDir() && info.isReadable();
#else
    return info.isDir() && info.isReadable() && info.isExecutable();
#endif
}

QString FolderKey(const QString& path) {
    return QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath());
}

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new DepthIndentDelegate(this));  // owned by the list as its Qt parent
    connect(this, &QListWidget::itemClicked, this, [this] { emit Click(); });
    connect(this, &QListWidget::itemDoubleClicked, this, &FolderList::OpenEntry);
    if (!SetPath(QDir::currentPath())) (void)SetPath(QDir::rootPath());
}

QString FolderList::Path() const {
    return QDir::toNativeSeparators(path_);
}

bool FolderList::SetPath(const QString& path) {
    const QString key = FolderKey(path);
    if (!IsReadableFolder(key)) return false;
    const bool moved = key != path_;
    path_ = key;
    Fill();
    if (moved) emit Change();
    return true;
}

QString FolderList::SelectedPath() const {
    const QListWidgetItem* item = currentItem();
    return item != nullptr ? item->data(kPathRole).toString() : QString();
}

void FolderList::Refresh() {
    Fill();
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OpenEntry(currentItem());
        return;
    }
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before) emit Click();
}

void FolderList::Fill() {
    const QSignalBlocker blocker(this);
    clear();
    QStringList chain;  // root first, the open folder last
    for (QDir dir(path_);;) {
        chain.prepend(dir.absolutePath());
        if (!dir.cdUp()) break;
    }
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    auto add = [this](const QString& key, const QIcon& icon, qsizetype depth) {
        auto* item = new QListWidgetItem(icon, EntryName(key), this);  // owned by the list
        item->setData(kPathRole, QDir::toNativeSeparators(key));
        item->setData(kDepthRole, static_cast<int>(depth));
    };
    for (qsizetype depth = 0; depth < chain.size(); ++depth) add(chain[depth], open, depth);
    setCurrentRow(static_cast<int>(chain.size() - 1));
    const QFileInfoList children =
        QDir(path_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& child : children) {
        add(QDir::cleanPath(child.absoluteFilePath()), closed, chain.size());
    }
}

void FolderList::OpenEntry(const QListWidgetItem* item) {
    if (item == nullptr) return;
    // A folder that vanished or was locked since it was listed: show what is there now.
    if (!SetPath(item->data(kPathRole).toString())) Fill();
}

}  // namespace brelvo::platform::qt
