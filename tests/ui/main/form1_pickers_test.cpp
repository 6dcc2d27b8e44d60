// The folder pickers and panels of the main window over temporary drives: panel toggles,
// drive changes and their refusal, confirming a folder, and making a new one.

#include <QTest>
#include <filesystem>

#include "tests/ui/main/form_fixture.h"

namespace {

using ui_test::FormTest;

class Form1Pickers : public FormTest {
  protected:
    Form1Pickers() { tree.add({"d/Scans/2024/", "d/Scans/neuerOrdner/", "d/Scans/a.pdf"}); }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    bool onDisk(std::string_view relative) { return std::filesystem::exists(tree.path(relative)); }
};

TEST_F(Form1Pickers, ExpandStripOpensOnlyAPanelAtExactly700Twips) {
    const struct {
        int before;
        int after;
    } cases[] = {{700, 4335}, {4335, 700}, {2000, 700}, {701, 700}, {699, 700}};
    for (const auto& c : cases) {
        form().Frame2->setHeightTwips(c.before);
        click(form().Image2);
        EXPECT_EQ(form().Frame2->heightTwips(), c.after) << "start panel from " << c.before;
        form().Frame3->setHeightTwips(c.before);
        click(form().Image3);
        EXPECT_EQ(form().Frame3->heightTwips(), c.after) << "output panel from " << c.before;
    }
}

TEST_F(Form1Pickers, ChoosingADriveMovesTheListsToItsCurrentFolder) {
#ifdef _WIN32
    GTEST_SKIP() << ui_test::kNoMappedDrives;
#else
    ASSERT_TRUE(platform().setCurrentFolder("D:\\Scans"));
    ASSERT_TRUE(platform().setCurrentFolder("C:\\"));  // D: keeps its own current folder
    auto& form = this->form();
    form.Drive2->setDrive("D:");
    EXPECT_EQ(form.Dir2->path(), "D:\\Scans");
    EXPECT_EQ(form.File2->path(), "D:\\Scans");
    form.Drive3->setDrive("D:");
    EXPECT_EQ(form.Dir3->path(), "D:\\Scans");
    EXPECT_EQ(form.File3->path(), "C:\\");  // Dir3 has no change handler
#endif
}

TEST_F(Form1Pickers, ADriveThatIsNotReadyIsRefusedAndTheListReturns) {
    if (!ui_test::kMappedDrives)
        GTEST_SKIP() << ui_test::kNoMappedDrives;
    mapDrive('E', "nicht-eingelegt");
    auto& form = this->form();
    form.Drive2->setDrive("D:");
    form.Dir2->setPath("D:\\Scans");
    form.Drive2->setDrive("E:");
    EXPECT_TRUE(form.Drive2->drive().startsWith("d:"));
    EXPECT_TRUE(form.Dir2->path().startsWith("D:\\"));
    EXPECT_EQ(form.lblStatus->text(), "Laufwerk nicht verfügbar !");
    form.Drive3->setDrive("E:");
    EXPECT_TRUE(form.Drive3->drive().startsWith("c:"));
}

TEST_F(Form1Pickers, ARefusedDriveGoesBackToTheDriveShownBeforeWhenTheFolderListIsEmpty) {
    if (!ui_test::kMappedDrives)
        GTEST_SKIP() << ui_test::kNoMappedDrives;
    mapDrive('C', "fehlt");  // nothing remembered, and C: is not ready: the lists show nothing
    mapDrive('E', "nicht-eingelegt");
    auto& form = this->form();
    ASSERT_EQ(form.Dir2->path(), "");
    form.Drive2->setDrive("E:");
    EXPECT_TRUE(form.Drive2->drive().startsWith("c:")) << form.Drive2->drive().toStdString();
    EXPECT_EQ(form.lblStatus->text(), "Laufwerk nicht verfügbar !");
}

TEST_F(Form1Pickers, ConfirmCopiesTheListsPathCollapsesAndStores) {
    auto& form = this->form();
    form.Dir2->setPath(at("D:\\Scans\\2024\\"));
    click(form.Image2);
    click(form.cmdokInput);
    EXPECT_EQ(form.StartDir->text(), at("D:\\Scans\\2024"));
    EXPECT_EQ(form.Frame2->heightTwips(), 700);
    EXPECT_EQ(stored("StartDir"), at("D:\\Scans\\2024"));
    EXPECT_EQ(stored("dir2"), at("D:\\Scans\\2024"));

    form.Dir3->setPath(at("D:"));
    click(form.cmdokOutput);
    EXPECT_EQ(form.txtOptDir->text(), at("D:\\"));
    EXPECT_EQ(stored("txtOptDir"), at("D:\\"));
    EXPECT_EQ(stored("dir3"), at("D:\\"));
}

TEST_F(Form1Pickers, NeuShowsTheNewFolderPanelAndTheXHidesIt) {
    auto& form = this->form();
    form.show();
    click(form.cmd_DirNeuTIF);
    EXPECT_TRUE(form.Frame4->isVisible());
    click(form.cmdOut);
    EXPECT_FALSE(form.Frame4->isVisible());
}

TEST_F(Form1Pickers, NewFolderIsRefusedWhenItCannotBeMade) {
    const struct {
        const char* what;
        const char* name;
        const char* status;
    } cases[] = {
        {"an existing folder", "neuerOrdner", "Ordner existiert schon"},
        {"an empty name, naming the folder itself", "", "Ordner existiert schon"},
        {"a name with a character Windows refuses", "a?b",
         "Ordner D:\\Scans\\a?b nicht angelegt: Der Name ist unter Windows nicht erlaubt"},
        {"a name that is a path", "x\\y",
         "Ordner D:\\Scans\\x\\y nicht angelegt: Der Name ist unter Windows nicht erlaubt"},
        {"a file of that name", "a.pdf",
         "Ordner D:\\Scans\\a.pdf nicht angelegt: Eine Datei dieses Namens existiert schon"},
    };
    auto& form = this->form();
    form.show();
    form.Dir3->setPath(at("D:\\Scans"));
    const auto entriesBefore =
        std::distance(std::filesystem::directory_iterator(tree.path("d/Scans")),
                      std::filesystem::directory_iterator());
    for (const auto& c : cases) {
        click(form.cmd_DirNeuTIF);
        form.txtDirTIF->setText(QString::fromUtf8(c.name));
        click(form.cmd_mkdir);
        const QString status = QString::fromUtf8(c.status).replace("D:\\Scans", at("D:\\Scans"));
        EXPECT_EQ(form.lblStatus->text(), status) << c.what;
        EXPECT_TRUE(form.Frame4->isVisible()) << c.what;
        EXPECT_EQ(form.Dir3->path(), at("D:\\Scans")) << c.what;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tree.path("d/Scans")),
                            std::filesystem::directory_iterator()),
              entriesBefore);
}

TEST_F(Form1Pickers, NewFolderWhoseParentHasGoneSaysSo) {
    tree.add({"d/alt/"});
    auto& form = this->form();
    form.Dir3->setPath(at("D:\\alt"));
    std::filesystem::remove(tree.path("d/alt"));
    form.cmd_mkdir->click();
    EXPECT_EQ(form.lblStatus->text(), "Ordner " + at("D:\\alt\\neuerOrdner") +
                                          " nicht angelegt: Datei oder Ordner nicht gefunden");
}

TEST_F(Form1Pickers, NewFolderIsMadeAndTheListMovesIntoIt) {
    auto& form = this->form();
    form.show();
    form.Dir3->setPath(at("D:\\Scans"));
    form.txtOptDir->setText("C:\\");
    click(form.cmd_DirNeuTIF);
    form.txtDirTIF->setText("Ergebnis");
    click(form.cmd_mkdir);
    EXPECT_TRUE(onDisk("d/Scans/Ergebnis"));
    EXPECT_EQ(form.Dir3->path(), at("D:\\Scans\\Ergebnis"));
    EXPECT_FALSE(form.Frame4->isVisible());
    EXPECT_EQ(form.txtOptDir->text(), "C:\\");  // confirmed only by its ok button
}

TEST_F(Form1Pickers, NewFolderAtADriveRootTakesTheDoubledBackslash) {
    if (!ui_test::kMappedDrives)
        GTEST_SKIP() << ui_test::kNoMappedDrives;
    auto& form = this->form();
    form.Dir3->setPath("D:\\");
    form.cmd_mkdir->click();
    EXPECT_TRUE(onDisk("d/neuerOrdner"));
    EXPECT_EQ(form.Dir3->path(), "D:\\neuerOrdner");
}

}  // namespace
