// Form1's load and unload: the remembered start and output folders.

#include <QCloseEvent>

#include "batch/path_helpers.h"
#include "platform/windows_names.h"
#include "ui/main/form1.h"
#include "ui/main/form1_layout.h"
#include "ui/main/settings_keys.h"

namespace ui::mainwindow {
namespace {

const QString kDefaultFolder = QStringLiteral("C:\\");

}  // namespace

bool Form1::folderExists(const QString& path) const {
    return Module1::FolderExists(platform_, path.toStdString());
}

void Form1::Form_Load() {
    // The focus, on Dir2 as the first in the tab order, goes to StartDir as Frame2 hides it.
    setPanelHeight(*Frame2, kPanelCollapsedTwips);
    setPanelHeight(*Frame3, kPanelCollapsedTwips);
    if (folderExists(settings_.read(settings_keys::kStartDir, kDefaultFolder))) {
        StartDir->setText(settings_.read(settings_keys::kStartDir, kDefaultFolder));
    }
    if (folderExists(settings_.read(settings_keys::kTxtOptDir, kDefaultFolder))) {
        txtOptDir->setText(settings_.read(settings_keys::kTxtOptDir, kDefaultFolder));
    }
    showRemembered(StartDir->text(), *Drive2, *Dir2);
    showRemembered(txtOptDir->text(), *Drive3, *Dir3);
}

void Form1::showRemembered(const QString& folder, DriveList& drive, FolderList& folders) {
    if (!folderExists(folder))
        return;
    // A folder without a drive letter (a relative path) has no drive to show: the field shows
    // it and the lists stay where they are.
    if (!platform::HasDriveLetter(folder.toStdString()))
        return;
    drive.setDrive(folder.left(2));
    folders.setPath(folder);
}

void Form1::Form_Unload() {
    settings_.write(settings_keys::kDir1, QString());
    settings_.write(settings_keys::kDir2, Dir2->path());
    settings_.write(settings_keys::kStartDir, StartDir->text());
    settings_.write(settings_keys::kDir3, Dir3->path());
    settings_.write(settings_keys::kTxtOptDir, txtOptDir->text());
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

}  // namespace ui::mainwindow
