#include "ui/main/form1.h"

#include "ui/main/form1_controls.h"
#include "ui/main/form1_layout.h"
#include "ui/main/form1_run.h"

namespace ui::mainwindow {

Form1::Form1(platform::Platform& platform, Messages& messages, SettingsStore& settings,
             QWidget* parent)
    : QWidget(parent), platform_(platform), messages_(messages), settings_(settings) {
    const BuiltControls c = BuildForm(*this, Form1Description(),
                                      [&platform](const ControlDescription& row, QWidget* parent) {
                                          return MakeForm1Control(row, parent, platform);
                                      });
    txtExtension = ControlOf<QLineEdit>(c, "txtExtension");
    txtDosCmd = ControlOf<QLineEdit>(c, "txtDosCmd");
    Check1 = ControlOf<QCheckBox>(c, "Check1");
    Frame4 = ControlOf<Frame>(c, "Frame4");
    cmdInfo = ControlOf<QPushButton>(c, "cmdInfo");
    Command1 = ControlOf<QPushButton>(c, "Command1");
    Frame3 = ControlOf<Frame>(c, "Frame3");
    Frame2 = ControlOf<Frame>(c, "Frame2");
    Line1 = ControlOf<QFrame>(c, "Line1");
    Label2 = ControlOf<QLabel>(c, "Label2");
    Image1 = ControlOf<ClickLabel>(c, "Image1");
    Label1 = ControlOf<QLabel>(c, "Label1");
    lblStatus = ControlOf<QLabel>(c, "lblStatus");
    cmdokInput = ControlOf<QPushButton>(c, "cmdokInput");
    File2 = ControlOf<FileList>(c, "File2");
    StartDir = ControlOf<QLineEdit>(c, "StartDir");
    Drive2 = ControlOf<DriveList>(c, "Drive2");
    Dir2 = ControlOf<FolderList>(c, "Dir2");
    Image2 = ControlOf<ClickLabel>(c, "Image2");
    cmd_DirNeuTIF = ControlOf<QPushButton>(c, "cmd_DirNeuTIF");
    Dir3 = ControlOf<FolderList>(c, "Dir3");
    Drive3 = ControlOf<DriveList>(c, "Drive3");
    txtOptDir = ControlOf<QLineEdit>(c, "txtOptDir");
    File3 = ControlOf<FileList>(c, "File3");
    cmdokOutput = ControlOf<QPushButton>(c, "cmdokOutput");
    Image3 = ControlOf<ClickLabel>(c, "Image3");
    cmd_mkdir = ControlOf<QPushButton>(c, "cmd_mkdir");
    txtDirTIF = ControlOf<QLineEdit>(c, "txtDirTIF");
    Label4 = ControlOf<QLabel>(c, "Label4");
    cmdOut = ControlOf<ClickLabel>(c, "cmdOut");

    connectHandlers();
    Form_Load();
}

void Form1::connectHandlers() {
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(cmdInfo, &QPushButton::clicked, this, &Form1::cmdInfo_Click);
    connect(Image2, &ClickLabel::clicked, this, &Form1::Image2_Click);
    connect(Image3, &ClickLabel::clicked, this, &Form1::Image3_Click);
    connect(Drive2, &DriveList::driveChanged, this, &Form1::Drive2_Change);
    connect(Drive3, &DriveList::driveChanged, this, &Form1::Drive3_Change);
    connect(Dir2, &FolderList::pathChanged, this, &Form1::Dir2_Change);
    connect(cmdokInput, &QPushButton::clicked, this, &Form1::cmdokInput_Click);
    connect(cmdokOutput, &QPushButton::clicked, this, &Form1::cmdokOutput_Click);
    connect(cmd_DirNeuTIF, &QPushButton::clicked, this, &Form1::cmd_DirNeuTIF_Click);
    connect(cmdOut, &ClickLabel::clicked, this, &Form1::cmdOut_Click);
    connect(cmd_mkdir, &QPushButton::clicked, this, &Form1::cmd_mkdir_Click);
    connect(Image1, &ClickLabel::clicked, this, &Form1::Image1_Click);
    StartDir->installEventFilter(this);
    txtOptDir->installEventFilter(this);
}

void Form1::cmdInfo_Click() {
    emit infoRequested();
}

void Form1::report(const QString& text) {
    lblStatus->setText(text);
    AnnounceStatus(*lblStatus);
}

}  // namespace ui::mainwindow
