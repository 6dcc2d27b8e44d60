// Form1's folder pickers and panels: opening and collapsing the panels, the drive and folder
// lists following each other, confirming a folder, making a new one, and the close image.

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <system_error>

#include "batch/german_reason.h"
#include "platform/platform.h"
#include "platform/windows_names.h"
#include "ui/main/form1.h"
#include "ui/main/form1_layout.h"
#include "ui/main/settings_keys.h"

namespace ui::mainwindow {
namespace {

bool IsOpen(const Frame& panel) {
    return panel.heightTwips() != kPanelCollapsedTwips;
}

void TogglePanel(Frame& panel) {
    panel.setHeightTwips(IsOpen(panel) ? kPanelCollapsedTwips : kPanelOpenTwips);
}

bool OnlyModifiers(const QKeyEvent& key, Qt::KeyboardModifiers modifiers) {
    return (key.modifiers() & ~Qt::KeypadModifier) == modifiers;
}

}  // namespace

void Form1::Image2_Click() {
    TogglePanel(*Frame2);
}

void Form1::Image3_Click() {
    TogglePanel(*Frame3);
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
    Frame2->setHeightTwips(kPanelCollapsedTwips);
    settings_.write(settings_keys::kDir2, Dir2->path());
    settings_.write(settings_keys::kStartDir, StartDir->text());
}

void Form1::cmdokOutput_Click() {
    txtOptDir->setText(Dir3->path());
    Frame3->setHeightTwips(kPanelCollapsedTwips);
    settings_.write(settings_keys::kDir3, Dir3->path());
    settings_.write(settings_keys::kTxtOptDir, txtOptDir->text());
}

void Form1::cmd_DirNeuTIF_Click() {
    Frame4->show();
}

void Form1::cmdOut_Click() {
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
    Frame4->hide();
}

void Form1::Image1_Click() {
    close();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || (watched != StartDir && watched != txtOptDir))
        return QWidget::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    // The keys of a drop-down list: the panel is the field's list.
    if ((key.key() == Qt::Key_F4 && OnlyModifiers(key, Qt::NoModifier)) ||
        (key.key() == Qt::Key_Down && OnlyModifiers(key, Qt::AltModifier))) {
        watched == StartDir ? Image2_Click() : Image3_Click();
        return true;
    }
    return false;
}

void Form1::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape || !OnlyModifiers(*event, Qt::NoModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!Frame4->isHidden()) {
        cmdOut_Click();
        return;
    }
    for (Frame* panel : {Frame2, Frame3}) {
        if (IsOpen(*panel) && panel->isAncestorOf(focusWidget())) {
            panel->setHeightTwips(kPanelCollapsedTwips);
            return;
        }
    }
    if (!IsOpen(*Frame2) && !IsOpen(*Frame3)) {
        event->ignore();
        return;
    }
    Frame2->setHeightTwips(kPanelCollapsedTwips);
    Frame3->setHeightTwips(kPanelCollapsedTwips);
}

}  // namespace ui::mainwindow
