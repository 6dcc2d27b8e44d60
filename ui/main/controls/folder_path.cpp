#include "ui/main/controls/folder_path.h"

#include "batch/path_helpers.h"

namespace ui::mainwindow {

QString JoinPath(const QString& folder, const QString& name) {
    return QString::fromStdString(Module1::JoinPath(folder.toStdString(), name.toStdString()));
}

QString NormalFolderPath(QString path) {
    path.replace(u'/', u'\\');
    while (path.contains(QStringLiteral("\\\\")))
        path.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    if (path.size() >= 2 && path[1] == u':')
        path[0] = path[0].toUpper();
    if (path.size() == 2 && path[1] == u':')
        path += u'\\';
    while (path.size() > 3 && path.endsWith(u'\\'))
        path.chop(1);
    return path;
}

}  // namespace ui::mainwindow
