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

// `folder` and `name` joined by one backslash.
QString JoinPath(const QString& folder, const QString& name);

// A folder path as the folder list reports it: '\' as separator, no doubled separators, an
// upper-case drive letter and no trailing backslash except at a drive root ("C:\").
QString NormalFolderPath(QString path);

// True when `pattern` ("*.pdf", "a?c.*") matches `name` as Windows matches file names: letter
// case ignored, '*' any run of characters, '?' one character, "*.*" also names without a dot.
bool MatchesWildcard(const QString& name, const QString& pattern);

// True when any of the ';'-separated patterns matches.
bool MatchesAnyWildcard(const QString& name, const QString& patterns);

}  // namespace ui::mainwindow
