#pragma once
// What the classic lists show of a folder: the names of its subfolders or of its files, as the
// platform presents them, hidden entries left out, sorted by name without regard to case.

#include <QString>
#include <QStringList>

namespace platform {
class Platform;
}

namespace ui::mainwindow {

enum class EntryKind { Folders, Files };

// The names in the Windows folder `folder`; empty when it cannot be read.
QStringList FolderEntries(const platform::Platform& platform, const QString& folder,
                          EntryKind kind);

}  // namespace ui::mainwindow
