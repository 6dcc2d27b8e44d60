#pragma once
// Form1, the main window: the two folder panels, the five inputs of a batch run, the start and
// info buttons, the close image and the status line. It builds itself from the control table
// of form1_layout.h; its members carry the form's names, and so do the widgets' objectNames.
// It only gathers inputs and shows results: the run itself is batch::BatchRun, which reports
// back through the RunView this window implements. Loading restores the remembered folders
// from the settings store and closing writes them back.

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <string>

#include "batch/run_view.h"
#include "ui/common/click_label.h"
#include "ui/main/controls/drive_list.h"
#include "ui/main/controls/file_list.h"
#include "ui/main/controls/folder_list.h"
#include "ui/main/controls/frame.h"
#include "ui/main/messages.h"
#include "ui/main/settings_store.h"

namespace platform {
class Platform;
}

namespace ui::mainwindow {

class Form1 : public QWidget, private batch::RunView {
    Q_OBJECT
  public:
    // Builds the window and runs Form_Load.
    Form1(platform::Platform& platform, Messages& messages, SettingsStore& settings,
          QWidget* parent = nullptr);
    ~Form1() override;

    // The controls, named as the form names them.
    QLineEdit* txtExtension;
    QLineEdit* txtDosCmd;
    QCheckBox* Check1;
    Frame* Frame4;
    QPushButton* cmdInfo;
    QPushButton* Command1;
    Frame* Frame3;
    Frame* Frame2;
    QFrame* Line1;
    QLabel* Label2;
    ClickLabel* Image1;
    QLabel* Label1;
    QLabel* lblStatus;
    QPushButton* cmdokInput;
    FileList* File2;
    QLineEdit* StartDir;
    DriveList* Drive2;
    FolderList* Dir2;
    ClickLabel* Image2;
    QPushButton* cmd_DirNeuTIF;
    FolderList* Dir3;
    DriveList* Drive3;
    QLineEdit* txtOptDir;
    FileList* File3;
    QPushButton* cmdokOutput;
    ClickLabel* Image3;
    QPushButton* cmd_mkdir;
    QLineEdit* txtDirTIF;
    QLabel* Label4;
    ClickLabel* cmdOut;

  signals:
    // The info button was clicked; the program opens the info window on it.
    void infoRequested();

  public slots:
    void Command1_Click();
    void cmdInfo_Click();

    // The folder pickers and panels (form1_pickers.cpp).
    void Image2_Click();
    void Image3_Click();
    void Drive2_Change();
    void Drive3_Change();
    void Dir2_Change();
    void cmdokInput_Click();
    void cmdokOutput_Click();
    void cmd_DirNeuTIF_Click();
    void cmdOut_Click();
    void cmd_mkdir_Click();
    void Image1_Click();

    // Loading and closing (form1_settings.cpp).
    void Form_Load();
    void Form_Unload();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void connectHandlers();
    void driveChange(DriveList& drive, FolderList& folders);
    void showRemembered(const QString& folder, DriveList& drive, FolderList& folders);
    bool folderExists(const QString& path) const;

    // batch::RunView
    void setStatus(std::string_view text) override;
    void repaintStatus() override;
    void repaintWindow() override;
    void showMessage(std::string_view text) override;
    void setBusy(bool busy) override;
    // Puts a status text that the run has set but not yet painted into the status line.
    void showPendingStatus();

    platform::Platform& platform_;
    Messages& messages_;
    SettingsStore& settings_;
    QElapsedTimer statusPainted_;
    // The run sets the status for every file; the label takes the text only when it is painted
    // (or looked at: a message, the window's repaint, the run's end), not once per file.
    std::string pendingStatus_;
    bool statusPending_ = false;
    bool busy_ = false;
    // A refused drive is being put back (driveChange).
    bool restoringDrive_ = false;
};

}  // namespace ui::mainwindow
