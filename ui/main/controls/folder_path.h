#pragma once
// Windows folder paths in the form the folder and file lists report them.

#include <QString>

namespace ui::mainwindow {

// `folder` and `name` joined by one backslash.
QString JoinPath(const QString& folder, const QString& name);

// A folder path as the folder list reports it (platform::NormalFolderPath).
QString NormalFolderPath(const QString& path);

}  // namespace ui::mainwindow
