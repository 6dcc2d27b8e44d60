#pragma once
// The classic folder list: the opened folder with its chain of ancestors above it and its
// subfolders below, indented like a tree. A double-click (or Return) opens a folder; setting
// `path` from code does the same, and both raise pathChanged. The path has no trailing
// backslash except at a drive root ("C:\").

#include <QListWidget>

namespace platform {
class Platform;
}

namespace ui::mainwindow {

class FolderList : public QListWidget {
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath NOTIFY pathChanged)
  public:
    FolderList(const platform::Platform& platform, QWidget* parent);

    QString path() const { return path_; }
    // Opens a folder: a full path, or "D:" for that drive's current folder. False (and nothing
    // changes) when it names no existing folder on a drive. Raises pathChanged on a change.
    bool setPath(const QString& path);
    // Lists the opened folder again.
    void refresh();

  signals:
    void pathChanged();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void showOpenedFolder();
    void open(QListWidgetItem* item);

    const platform::Platform& platform_;
    QString path_;
};

}  // namespace ui::mainwindow
