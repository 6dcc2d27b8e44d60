#include "ui/main/controls/drive_list.h"

#include "platform/platform.h"

namespace ui::mainwindow {

DriveList::DriveList(const platform::Platform& platform, QWidget* parent)
    : QComboBox(parent), platform_(platform) {
    refresh();
    setDrive(QString(QChar(platform_.currentDrive())));
    shown_ = drive();
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        previous_ = shown_;
        shown_ = drive();
        emit driveChanged();
    });
}

bool DriveList::setDrive(const QString& text) {
    if (text.isEmpty())
        return false;
    const QChar letter = text[0].toUpper();
    for (int i = 0; i < count(); ++i) {
        if (itemData(i).toChar() == letter) {
            setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

void DriveList::refresh() {
    const QSignalBlocker quiet(this);
    const QString current = drive();
    clear();
    for (const auto& drive : platform_.drives()) {
        const QChar letter = QChar(drive.letter).toUpper();
        QString text = QString(letter.toLower()) + u':';
        if (!drive.label.empty())
            text += QStringLiteral(" [%1]").arg(QString::fromStdString(drive.label));
        addItem(text, letter);
    }
    if (!current.isEmpty())
        setDrive(current);
    shown_ = drive();
}

}  // namespace ui::mainwindow
