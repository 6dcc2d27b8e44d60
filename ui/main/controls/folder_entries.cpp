#include "ui/main/controls/folder_entries.h"

#include <algorithm>

#include "platform/platform.h"

namespace ui::mainwindow {

QStringList FolderEntries(const platform::Platform& platform, const QString& folder,
                          EntryKind kind) {
    QStringList names;
    for (const platform::Entry& entry : platform.folderEntries(folder.toStdString())) {
        if (!entry.hidden && entry.folder == (kind == EntryKind::Folders))
            names.push_back(QString::fromStdString(entry.name));
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

}  // namespace ui::mainwindow
