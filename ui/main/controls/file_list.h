#pragma once
// The classic file list: the files of one folder whose names match its pattern, a list of
// wildcards separated by ';' ("*.pdf;*.PDF") matched as Windows matches them. Hidden files and
// folders are not shown.

#include <QListWidget>

namespace platform {
class Platform;
}

namespace ui::mainwindow {

class FileList : public QListWidget {
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath)
    Q_PROPERTY(QString pattern READ pattern WRITE setPattern)
  public:
    FileList(const platform::Platform& platform, QWidget* parent);

    QString path() const { return path_; }
    // Shows the files of `path` (a folder; "D:" for that drive's current folder). A folder
    // that does not exist shows no files.
    void setPath(const QString& path);
    QString pattern() const { return pattern_; }
    void setPattern(const QString& pattern);
    void refresh();

  private:
    const platform::Platform& platform_;
    QString path_;
    QString pattern_ = QStringLiteral("*.*");
};

}  // namespace ui::mainwindow
