#pragma once
// The classic drive list: a drop-down of the platform's drives, each shown as "c: [label]"
// ("c:" without a label). Its current drive is that text, whose first character is the drive
// letter. Choosing a drive, by hand or through setDrive, raises driveChanged.

#include <QComboBox>

namespace platform {
class Platform;
}

namespace ui::mainwindow {

class DriveList : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(QString drive READ drive WRITE setDrive NOTIFY driveChanged)
  public:
    DriveList(const platform::Platform& platform, QWidget* parent);

    QString drive() const { return currentText(); }
    // The drive shown before the latest change; empty before the first one.
    QString previousDrive() const { return previous_; }
    // Selects the drive whose letter is the first character of `text` ("D:", "d: [Daten]",
    // "D:\Scans"); false when no such drive is listed. Raises driveChanged when it changes.
    bool setDrive(const QString& text);
    // Reads the drives again, keeping the current one when it is still there.
    void refresh();

  signals:
    void driveChanged();

  private:
    const platform::Platform& platform_;
    QString shown_;
    QString previous_;
};

}  // namespace ui::mainwindow
