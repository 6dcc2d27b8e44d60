// Form1's folder pickers and panels: opening and collapsing the panels, the drive and folder
// lists following each other, confirming a folder, making a new one, and the close image.

#include <QScopedValueRollback>
#include <system_error>

#include "batch/german_reason.h"
#include "platform/platform.h"
#include "platform/windows_names.h"
#include "ui/common/accessible_role.h"
#include "ui/main/form1.h"
#include "ui/main/form1_layout.h"
#include "ui/main/settings_keys.h"

namespace ui::mainwindow {
namespace {

// The height the strip of a panel at `height` gives it.
int ToggledHeight(int height) {
    return height == kPanelCollapsedTwips ? kPanelOpenTwips : kPanelCollapsedTwips;
}

}  // namespace

void Form1::setPanelHeight(Frame& panel, int height) {
    const bool start = &panel == Frame2;
    QLineEdit& field = start ? *StartDir : *txtOptDir;
    if (QWidget* focused = focusWidget(); focused && panel.wouldCutOff(*focused, height))
        field.setFocus();
    panel.setHeightTwips(height);
    // A screen reader hears what a click on the strip does now.
    const bool open = height != kPanelCollapsedTwips;
    ClickLabel& strip = start ? *Image2 : *Image3;
    const QString choice = start ? QStringLiteral("Startverzeichnis-Auswahl")
                                 : QStringLiteral("Ausgabeverzeichnis-Auswahl");
    strip.setAccessibleName(choice +
                            (open ? QStringLiteral(" schließen") : QStringLiteral(" öffnen")));
    SetAccessibleExpanded(strip, open);
}

void Form1::Image2_Click() {
    setPanelHeight(*Frame2, ToggledHeight(Frame2->heightTwips()));
}

void Form1::Image3_Click() {
    setPanelHeight(*Frame3, ToggledHeight(Frame3->heightTwips()));
}

void Form1::Drive2_Change() {
    driveChange(*Drive2, *Dir2);
}

void Form1::Drive3_Change() {
    driveChange(*Drive3, *Dir3);
}

void Form1::driveChange(DriveList& drive, FolderList& folders) {
    const QString letter = drive.drive().left(1);
    if (folderExists(letter + QStringLiteral(":\\"))) {
        // The drive's current folder, or its root when that has gone.
        if (!folders.setPath(letter + u':'))
            folders.setPath(letter + QStringLiteral(":\\"));
        return;
    }
    // The drive that is put back is not ready either (the list shows no folder): keep it.
    if (restoringDrive_)
        return;
    // Setting the drive back raises this handler once more, for the folder list's drive, or
    // for the drive shown before when the list shows no folder: no drive was ready yet.
    const QScopedValueRollback restoring(restoringDrive_, true);
    if (!drive.setDrive(folders.path().left(2)))
        drive.setDrive(drive.previousDrive());
    report(QStringLiteral("Laufwerk nicht verfügbar !"));
}

void Form1::Dir2_Change() {
    File2->setPath(Dir2->path());
}

void Form1::cmdokInput_Click() {
    StartDir->setText(Dir2->path());
    setPanelHeight(*Frame2, kPanelCollapsedTwips);
    settings_.write(settings_keys::kDir2, Dir2->path());
    settings_.write(settings_keys::kStartDir, StartDir->text());
}

void Form1::cmdokOutput_Click() {
    txtOptDir->setText(Dir3->path());
    setPanelHeight(*Frame3, kPanelCollapsedTwips);
    settings_.write(settings_keys::kDir3, Dir3->path());
    settings_.write(settings_keys::kTxtOptDir, txtOptDir->text());
}

void Form1::cmd_DirNeuTIF_Click() {
    Frame4->show();
}

void Form1::cmdOut_Click() {
    hideNewFolderPanel();
}

void Form1::hideNewFolderPanel() {
    // Qt would hand the focus on to the next control in the tab order, which may lie in the
    // collapsed output panel and so open it.
    if (Frame4->isAncestorOf(focusWidget()))
        Frame3->cutsOff(*cmd_DirNeuTIF) ? txtOptDir->setFocus() : cmd_DirNeuTIF->setFocus();
    Frame4->hide();
}

void Form1::cmd_mkdir_Click() {
    // The backslash is added even at a drive root; Windows reads the doubled one as one.
    const QString name = txtDirTIF->text();
    const QString path = Dir3->path() + u'\\' + name;
    if (folderExists(path)) {
        report(QStringLiteral("Ordner existiert schon"));
        return;
    }
    // A name with a separator would make a folder elsewhere; the rest the platform refuses too.
    const std::error_code failed = platform::RefusedAsNewName(name.toStdString())
                                       ? std::make_error_code(std::errc::invalid_argument)
                                       : platform_.createFolder(path.toStdString());
    if (failed) {
        report(QStringLiteral("Ordner %1 nicht angelegt: %2")
                   .arg(path, QString::fromStdString(batch::GermanReason(failed))));
        return;
    }
    Dir3->setPath(path);
    hideNewFolderPanel();
}

void Form1::Image1_Click() {
    close();
}

}  // namespace ui::mainwindow
