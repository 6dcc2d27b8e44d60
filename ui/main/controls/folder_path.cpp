#include "ui/main/controls/folder_path.h"

#include "batch/path_helpers.h"
#include "platform/windows_names.h"

namespace ui::mainwindow {

QString JoinPath(const QString& folder, const QString& name) {
    return QString::fromStdString(Module1::JoinPath(folder.toStdString(), name.toStdString()));
}

QString NormalFolderPath(const QString& path) {
    return QString::fromStdString(platform::NormalFolderPath(path.toStdString()));
}

}  // namespace ui::mainwindow
