#include "ui/main/controls/folder_list.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

#include "batch/path_helpers.h"
#include "platform/platform.h"
#include "platform/windows_names.h"
#include "ui/main/controls/folder_entries.h"
#include "ui/main/controls/folder_path.h"

namespace ui::mainwindow {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;
constexpr int kIndentPixels = 9;

// Indents each row by its depth in the tree.
class IndentDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented = option;
        indented.rect.setLeft(option.rect.left() + index.data(kLevelRole).toInt() * kIndentPixels);
        QStyledItemDelegate::paint(painter, indented, index);
    }
};

}  // namespace

FolderList::FolderList(const platform::Platform& platform, QWidget* parent)
    : QListWidget(parent), platform_(platform) {
    setItemDelegate(new IndentDelegate(this));
    setUniformItemSizes(true);
    const char drive = platform_.currentDrive();
    setPath(QString::fromStdString(platform_.currentFolder(drive)));
    connect(this, &QListWidget::itemDoubleClicked, this, &FolderList::open);
}

bool FolderList::setPath(const QString& requested) {
    QString path = requested.trimmed();
    if (!platform::HasDriveLetter(path.toStdString()))
        return false;
    if (path.size() == 2) {
        path = QString::fromStdString(platform_.currentFolder(path[0].toUpper().toLatin1()));
    } else if (path[2] != u'\\' && path[2] != u'/') {
        // "D:name" is relative to the drive's current folder.
        path =
            JoinPath(QString::fromStdString(platform_.currentFolder(path[0].toUpper().toLatin1())),
                     path.mid(2));
    }
    path = NormalFolderPath(path);
    if (!Module1::FolderExists(platform_, path.toStdString()))
        return false;
    const bool changed = path != path_;
    path_ = path;
    refresh();
    if (changed)
        emit pathChanged();
    return true;
}

void FolderList::refresh() {
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QStringList parts = path_.split(u'\\', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return;
    // The root shows as "c:\", the classic list's way.
    QString chain = parts.takeFirst() + u'\\';
    auto add = [this](const QString& text, const QString& path, int level, const QIcon& icon) {
        auto* item = new QListWidgetItem(icon, text, this);
        item->setData(kPathRole, path);
        item->setData(kLevelRole, level);
    };
    add(chain.toLower(), chain, 0, open);
    int level = 1;
    for (const auto& part : parts) {
        chain = JoinPath(chain, part);
        add(part, chain, level++, open);
    }
    const int current = count() - 1;
    for (const auto& name : FolderEntries(platform_, path_, EntryKind::Folders)) {
        add(name, JoinPath(path_, name), level, closed);
    }
    setCurrentRow(current);
    showOpenedFolder();
}

void FolderList::showOpenedFolder() {
    // The ancestors stay in sight unless the opened folder would then be out of it.
    scrollToTop();
    if (currentItem())
        scrollToItem(currentItem(), QAbstractItemView::EnsureVisible);
}

void FolderList::showEvent(QShowEvent* event) {
    QListWidget::showEvent(event);
    showOpenedFolder();
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        open(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FolderList::open(QListWidgetItem* item) {
    if (item)
        setPath(item->data(kPathRole).toString());
}

}  // namespace ui::mainwindow
