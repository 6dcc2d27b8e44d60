#include "ui/main/form1.h"

#include <QGuiApplication>
#include <QIcon>
#include <exception>

#include "batch/batch_run.h"
#include "batch/german_reason.h"
#include "batch/run_messages.h"
#include "batch/work_folder.h"
#include "platform/platform.h"
#include "ui/common/classic_font.h"
#include "ui/main/control_table.h"
#include "ui/main/form1_layout.h"

namespace ui::mainwindow {
namespace {

// Enough for the eye to follow the files going by, rare enough that a run over a big tree
// spends its time on the files and not on painting.
constexpr qint64 kStatusRepaintMs = 33;

template <typename T>
T* Control(const BuiltControls& controls, const char* name) {
    auto* widget = qobject_cast<T*>(controls.value(QString::fromLatin1(name)));
    if (!widget)
        throw std::logic_error(std::string("Form1 has no control ") + name);
    return widget;
}

}  // namespace

Form1::Form1(platform::Platform& platform, Messages& messages, SettingsStore& settings,
             QWidget* parent)
    : QWidget(parent), platform_(platform), messages_(messages), settings_(settings) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kForm1Caption.data(), qsizetype(kForm1Caption.size())));
    setWindowIcon(QIcon(QStringLiteral(":/main/window_icon.png")));
    setFont(ClassicFont());
    resize(TwipsToPixels(kForm1ClientWidthTwips), TwipsToPixels(kForm1ClientHeightTwips));

    const BuiltControls c = ApplyControlTable(*this, Form1Controls(), platform_);
    txtExtension = Control<QLineEdit>(c, "txtExtension");
    txtDosCmd = Control<QLineEdit>(c, "txtDosCmd");
    Check1 = Control<QCheckBox>(c, "Check1");
    Frame4 = Control<Frame>(c, "Frame4");
    cmdInfo = Control<QPushButton>(c, "cmdInfo");
    Command1 = Control<QPushButton>(c, "Command1");
    Frame3 = Control<Frame>(c, "Frame3");
    Frame2 = Control<Frame>(c, "Frame2");
    Line1 = Control<QFrame>(c, "Line1");
    Label2 = Control<QLabel>(c, "Label2");
    Image1 = Control<ClickLabel>(c, "Image1");
    Label1 = Control<QLabel>(c, "Label1");
    lblStatus = Control<QLabel>(c, "lblStatus");
    cmdokInput = Control<QPushButton>(c, "cmdokInput");
    File2 = Control<FileList>(c, "File2");
    StartDir = Control<QLineEdit>(c, "StartDir");
    Drive2 = Control<DriveList>(c, "Drive2");
    Dir2 = Control<FolderList>(c, "Dir2");
    Image2 = Control<ClickLabel>(c, "Image2");
    cmd_DirNeuTIF = Control<QPushButton>(c, "cmd_DirNeuTIF");
    Dir3 = Control<FolderList>(c, "Dir3");
    Drive3 = Control<DriveList>(c, "Drive3");
    txtOptDir = Control<QLineEdit>(c, "txtOptDir");
    File3 = Control<FileList>(c, "File3");
    cmdokOutput = Control<QPushButton>(c, "cmdokOutput");
    Image3 = Control<ClickLabel>(c, "Image3");
    cmd_mkdir = Control<QPushButton>(c, "cmd_mkdir");
    txtDirTIF = Control<QLineEdit>(c, "txtDirTIF");
    Label4 = Control<QLabel>(c, "Label4");
    cmdOut = Control<ClickLabel>(c, "cmdOut");

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
}

void Form1::cmdInfo_Click() {
    emit infoRequested();
}

void Form1::setStatus(std::string_view text) {
    pendingStatus_.assign(text);
    statusPending_ = true;
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
