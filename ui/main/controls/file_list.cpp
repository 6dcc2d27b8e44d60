#include "ui/main/controls/file_list.h"

#include "platform/platform.h"
#include "ui/main/controls/folder_entries.h"
#include "ui/main/controls/folder_path.h"
#include "ui/main/controls/wildcard.h"

namespace ui::mainwindow {

FileList::FileList(const platform::Platform& platform, QWidget* parent)
    : QListWidget(parent), platform_(platform) {
    setUniformItemSizes(true);
    setPath(QString::fromStdString(platform_.currentFolder(platform_.currentDrive())));
}

void FileList::setPath(const QString& path) {
    QString folder = path;
    if (folder.size() == 2 && folder[1] == u':') {
        folder = QString::fromStdString(platform_.currentFolder(folder[0].toUpper().toLatin1()));
    }
    path_ = NormalFolderPath(folder);
    refresh();
}

void FileList::setPattern(const QString& pattern) {
    pattern_ = pattern;
    refresh();
}

void FileList::refresh() {
    clear();
    for (const auto& name : FolderEntries(platform_, path_, EntryKind::Files)) {
        if (MatchesAnyWildcard(name, pattern_))
            addItem(name);
    }
}

}  // namespace ui::mainwindow
