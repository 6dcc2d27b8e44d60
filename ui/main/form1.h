#pragma once
// Form1, the main window: the two folder panels, the five inputs of a batch run, the start and
// info buttons, the close image and the status line. It builds itself from the description in
// form1_layout.h; its members carry the form's names, and so do the widgets' objectNames.
// It only gathers inputs and shows results: the run itself is batch::BatchRun, which reports
// back through the window's WindowRunView (form1_run.h). Loading restores the remembered folders
// from the settings store and closing writes them back.

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

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

class Form1 : public QWidget {
    Q_OBJECT
  public:
    // Builds the window and runs Form_Load.
    Form1(platform::Platform& platform, Messages& messages, SettingsStore& settings,
          QWidget* parent = nullptr);

    // The controls, named as the form names them; each comment says what the control is for.
    // The window itself:
    QLineEdit* txtDosCmd;     // the command put at the start of every batch line
    QLabel* Label2;           // "Extension: *.", the prompt in front of txtExtension
    QLineEdit* txtExtension;  // the extension, without its dot, of the files a run takes
    QCheckBox* Check1;        // ticked: the output folder is every line's target folder
    QPushButton* Command1;    // starts the batch run
    QPushButton* cmdInfo;     // opens the info window
    ClickLabel* Image1;       // the red X: closes the window
    QLabel* Label1;           // the credit line
    QLabel* lblStatus;        // the status line: what the run and the folder pickers report
    QFrame* Line1;            // separates the folder panels from the command area
    // The start-folder panel:
    Frame* Frame2;            // the panel; collapsed it shows only StartDir and Image2
    QLineEdit* StartDir;      // the start folder of a run
    ClickLabel* Image2;       // the expand strip: opens and collapses Frame2
    DriveList* Drive2;        // the drive of the start-folder picker
    FolderList* Dir2;         // the folder of the start-folder picker
    FileList* File2;          // the PDF files in Dir2's folder, for orientation
    QPushButton* cmdokInput;  // copies Dir2's folder into StartDir and collapses the panel
    // The output-folder panel:
    Frame* Frame3;               // the panel; collapsed it shows only txtOptDir and Image3
    QLineEdit* txtOptDir;        // the output folder of a run
    ClickLabel* Image3;          // the expand strip: opens and collapses Frame3
    DriveList* Drive3;           // the drive of the output-folder picker
    FolderList* Dir3;            // the folder of the output-folder picker
    FileList* File3;             // the TIF files of the folder the program started in
    QPushButton* cmdokOutput;    // copies Dir3's folder into txtOptDir and collapses the panel
    QPushButton* cmd_DirNeuTIF;  // "neu": shows the new-folder panel Frame4
    // The new-folder panel, floating over the output-folder panel:
    Frame* Frame4;           // the panel; hidden until cmd_DirNeuTIF shows it
    QLabel* Label4;          // the panel's title
    QLineEdit* txtDirTIF;    // the name of the folder to make inside Dir3's folder
    QPushButton* cmd_mkdir;  // makes that folder and moves Dir3 into it
    ClickLabel* cmdOut;      // the "X" close box: hides the panel

  signals:
    // The info button was clicked; the program opens the info window on it.
    void infoRequested();

  public slots:
    void Command1_Click();  // runs the batch with the window's five inputs (form1_run.cpp)
    void cmdInfo_Click();   // asks for the info window (infoRequested)

    // The folder pickers and panels (form1_pickers.cpp).
    void Image2_Click();         // opens or collapses the start-folder panel
    void Image3_Click();         // opens or collapses the output-folder panel
    void Drive2_Change();        // moves Dir2 to the chosen drive, or refuses a drive not ready
    void Drive3_Change();        // the same for Dir3
    void Dir2_Change();          // points File2 at Dir2's folder
    void cmdokInput_Click();     // confirms and remembers the start folder
    void cmdokOutput_Click();    // confirms and remembers the output folder
    void cmd_DirNeuTIF_Click();  // shows the new-folder panel
    void cmdOut_Click();         // hides the new-folder panel
    void cmd_mkdir_Click();      // makes the new folder
    void Image1_Click();         // closes the window

    // Loading and closing (form1_settings.cpp).
    void Form_Load();    // collapses the panels and shows the remembered folders
    void Form_Unload();  // remembers both fields and where both folder lists stand

  protected:
    void closeEvent(QCloseEvent* event) override;

    // The keyboard (form1_keyboard.cpp). The focus is always on a control the user can see.
    // Escape closes the new-folder panel, else the open folder panel that holds the focus, else
    // both open folder panels.
    void keyPressEvent(QKeyEvent* event) override;
    // F4 and Alt+Down in StartDir or txtOptDir open or close its panel, as its expand strip does.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Tab and Shift+Tab run through the tab order, the controls of collapsed panels included:
    // the focus moving onto one opens its panel.
    bool focusNextPrevChild(bool next) override;

  private:
    void connectHandlers();
    // Sets a folder panel's height; the focus in a control that the height hides goes to the
    // panel's folder field first, and the panel's strip says what a click on it does now.
    void setPanelHeight(Frame& panel, int height);
    // Hides the new-folder panel; the focus in it goes back to "neu" where the output panel
    // shows it, else to txtOptDir.
    void hideNewFolderPanel();
    // Shows `text` in the status line and has screen readers read it.
    void report(const QString& text);
    void driveChange(DriveList& drive, FolderList& folders);
    void showRemembered(const QString& folder, DriveList& drive, FolderList& folders);
    bool folderExists(const QString& path) const;

    platform::Platform& platform_;
    Messages& messages_;
    SettingsStore& settings_;
    // A refused drive is being put back (driveChange).
    bool restoringDrive_ = false;
};

}  // namespace ui::mainwindow
