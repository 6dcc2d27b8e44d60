#include "ui/main/form1.h"

#include <QAccessible>
#include <QGuiApplication>
#include <exception>

#include "batch/batch_run.h"
#include "batch/german_reason.h"
#include "batch/run_messages.h"
#include "batch/work_folder.h"
#include "platform/platform.h"
#include "ui/main/form1_controls.h"
#include "ui/main/form1_layout.h"

namespace ui::mainwindow {
namespace {

// Enough for the eye to follow the files going by, rare enough that a run over a big tree
// spends its time on the files and not on painting.
constexpr qint64 kStatusRepaintMs = 33;

}  // namespace

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

Form1::~Form1() {
    setBusy(false);
}

void Form1::Command1_Click() {
    const batch::RunSettings settings{
        .startFolder = StartDir->text().toStdString(),
        .outputFolder = txtOptDir->text().toStdString(),
        .extension = txtExtension->text().toStdString(),
        .useOutputFolder = Check1->isChecked() ? 1 : 0,
        .command = txtDosCmd->text().toStdString(),
    };
    runReported_ = false;
    try {
        batch::BatchRun(platform_, *this, settings,
                        batch::WorkFolder(platform_, platform_.programFolder()));
    } catch (const std::exception& failure) {
        // The run stops where the platform failed it; say so rather than pretend it finished.
        setBusy(false);
        repaintWindow();
        messages_.show(
            QString::fromStdString(batch::RunAbortedMessage(batch::GermanReason(failure))));
    }
    showPendingStatus();
    setBusy(false);
    if (runReported_)
        announceStatus();
}

void Form1::cmdInfo_Click() {
    emit infoRequested();
}

void Form1::setStatus(std::string_view text) {
    pendingStatus_.assign(text);
    statusPending_ = true;
    runReported_ = true;
}

void Form1::report(const QString& text) {
    lblStatus->setText(text);
    announceStatus();
}

void Form1::announceStatus() {
    // A label with a name of its own sends no event for each text a run shows. The name takes
    // the text now, and its change, which AT-SPI passes on, is what screen readers hear. Setting
    // the same name again need not send one, so a run ending as the one before sends it here.
    const QString text = lblStatus->text();
    if (lblStatus->accessibleName() != text) {
        lblStatus->setAccessibleName(text);
    } else {
        QAccessibleEvent same(lblStatus, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&same);
    }
#ifdef Q_OS_WIN
    // Qt's UI Automation drops a name change of a control without the focus, but raises a text
    // in a value change as a notification, which Narrator, NVDA and JAWS read at once.
    QAccessibleValueChangeEvent spoken(lblStatus, text);
    QAccessible::updateAccessibility(&spoken);
#endif
}

void Form1::showPendingStatus() {
    if (!statusPending_)
        return;
    statusPending_ = false;
    lblStatus->setText(QString::fromUtf8(pendingStatus_.data(), qsizetype(pendingStatus_.size())));
}

void Form1::repaintStatus() {
    if (statusPainted_.isValid() && statusPainted_.elapsed() < kStatusRepaintMs)
        return;
    showPendingStatus();
    lblStatus->repaint();
    statusPainted_.start();
}

void Form1::repaintWindow() {
    showPendingStatus();
    repaint();
    statusPainted_.start();
}

void Form1::showMessage(std::string_view text) {
    showPendingStatus();
    const bool wasBusy = busy_;
    setBusy(false);  // the user must see an ordinary pointer over the message box
    messages_.show(QString::fromUtf8(text.data(), qsizetype(text.size())));
    setBusy(wasBusy);
}

void Form1::setBusy(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

}  // namespace ui::mainwindow
