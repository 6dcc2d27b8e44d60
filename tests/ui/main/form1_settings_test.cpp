// Loading and closing the main window: which remembered folders come back, and what closing
// writes, with the settings file in a temporary folder.

#include <QFile>
#include <QTest>
#include <filesystem>

#include "tests/ui/main/form_fixture.h"

namespace {

using ui_test::FormTest;

class Form1Settings : public FormTest {};

TEST_F(Form1Settings, FirstStartShowsCRootInBothFieldsAndLists) {
    auto& form = this->form();
    EXPECT_EQ(form.StartDir->text(), "C:\\");
    EXPECT_EQ(form.txtOptDir->text(), "C:\\");
    EXPECT_EQ(form.Dir2->path(), "C:\\");
    EXPECT_EQ(form.Dir3->path(), "C:\\");
    EXPECT_EQ(form.File2->path(), "C:\\");
    EXPECT_TRUE(form.Drive2->drive().startsWith("c:"));
}

TEST_F(Form1Settings, FirstStartWithoutAnExistingCLeavesTheFieldsEmpty) {
    if (!ui_test::kMappedDrives)
        GTEST_SKIP() << ui_test::kNoMappedDrives;
    mapDrive('C', "nirgends");
    auto& form = this->form();
    EXPECT_EQ(form.StartDir->text(), "");
    EXPECT_EQ(form.txtOptDir->text(), "");
}

TEST_F(Form1Settings, BothPanelsStartCollapsedAndTheNewFolderPanelHidden) {
    EXPECT_EQ(form().Frame2->heightTwips(), 700);
    EXPECT_EQ(form().Frame3->heightTwips(), 700);
    EXPECT_EQ(form().Frame2->height(), 47);
    EXPECT_TRUE(form().Frame4->isHidden());
}

TEST_F(Form1Settings, RememberedFoldersComeBackIntoFieldsAndLists) {
    tree.add({"d/Scans/liste.pdf", "c/out/"});
    // Written as the store holds it, so a renamed section or key cannot go unnoticed.
#ifdef _WIN32
    setRegistryText("StartDir", at("D:\\Scans"));
    setRegistryText("txtOptDir", at("C:\\out"));
#else
    tree.addFile("config/dadiRaravor/dadiRaravor.ini", R"([Optionen]
StartDir=D:\\Scans
txtOptDir=C:\\out
)");
#endif
    auto& form = this->form();
    EXPECT_EQ(form.StartDir->text(), at("D:\\Scans"));
    EXPECT_EQ(form.txtOptDir->text(), at("C:\\out"));
    // The drive that holds the folder: D: itself where the test has drives of its own.
    EXPECT_TRUE(form.Drive2->drive().startsWith(at("D:\\Scans").left(2).toLower()));
    EXPECT_EQ(form.Dir2->path(), at("D:\\Scans"));
    EXPECT_EQ(ui_test::RowTexts(*form.File2), QStringList{"liste.pdf"});
    EXPECT_EQ(form.Dir3->path(), at("C:\\out"));
    EXPECT_EQ(form.File3->path(), at("C:\\"));  // the folder it showed when the window was made
}

TEST_F(Form1Settings, ARememberedFolderDeletedSinceIsIgnored) {
    store("StartDir", at("D:\\weg"));
    auto& form = this->form();
    EXPECT_EQ(form.StartDir->text(), "");
    EXPECT_EQ(form.Dir2->path(), at("C:\\"));  // where the window opened it
    EXPECT_EQ(form.txtOptDir->text(), "C:\\");
}

TEST_F(Form1Settings, ARememberedFolderWithoutDriveLetterIsShownButMovesNoList) {
    store("StartDir", "prog");  // relative to the current folder C:\, so it exists
    auto& form = this->form();
    EXPECT_EQ(form.StartDir->text(), "prog");
    EXPECT_EQ(form.Dir2->path(), at("C:\\"));
    EXPECT_TRUE(form.Drive2->drive().startsWith("c:"));
}

TEST_F(Form1Settings, ClosingRightAfterStartWritesAllFiveKeys) {
    tree.add({"d/Scans/"});
    store("StartDir", at("D:\\Scans"));
    form();
    restart();
#ifdef _WIN32
    // The registry as another program reads it: five texts; C:\ is the program's default.
    const QStringList values = {registryValue("StartDir"), registryValue("dir1"),
                                registryValue("dir2"), registryValue("dir3"),
                                registryValue("txtOptDir")};
    EXPECT_EQ(values, (QStringList{at("D:\\Scans"), "", at("D:\\Scans"), "C:\\", "C:\\"}));
#else
    // The file as another program reads it: QSettings sorts the keys, doubles the backslash.
    EXPECT_EQ(tree.read("config/dadiRaravor/dadiRaravor.ini"), R"([Optionen]
StartDir=D:\\Scans
dir1=
dir2=D:\\Scans
dir3=C:\\
txtOptDir=C:\\
)");
#endif
}

TEST_F(Form1Settings, AHandTypedFieldIsStoredAndIgnoredAtTheNextStart) {
    form().StartDir->setText("C:\\gibt es nicht");
    restart();
    EXPECT_EQ(stored("StartDir"), "C:\\gibt es nicht");
    EXPECT_EQ(form().StartDir->text(), "");
}

TEST_F(Form1Settings, TheCloseImageClosesAndWritesLikeTheTitleBar) {
    auto& form = this->form();
    form.show();
    form.txtOptDir->setText("D:\\");
    QTest::mouseClick(form.Image1, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(stored("txtOptDir"), "D:\\");
    EXPECT_EQ(stored("dir1"), "");
}

TEST_F(Form1Settings, ADamagedSettingsFileReadsAsEmpty) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows keeps the settings in the registry, not in a file to damage";
#endif
    tree.addFile("config/dadiRaravor/dadiRaravor.ini", std::string("\0\xff[Optionen\n=\n\x01", 14));
    auto& form = this->form();
    EXPECT_EQ(form.StartDir->text(), "C:\\");
    restart();  // and closing still goes through
}

TEST_F(Form1Settings, AnUnwritableSettingsFolderLosesOnlyTheValues) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows keeps the settings in the registry, not in a folder";
#endif
    tree.addFile("config/dadiRaravor");  // a file where the folder would have to be
    auto& form = this->form();
    form.show();
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(std::filesystem::is_regular_file(tree.path("config/dadiRaravor")));
}

}  // namespace
