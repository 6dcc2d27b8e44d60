// The drive, folder and file lists over a temporary drive map, and the Windows-style wildcard
// matching and path form they rely on.

#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

#include "tests/ui/main/form_fixture.h"
#include "ui/main/controls/drive_list.h"
#include "ui/main/controls/file_list.h"
#include "ui/main/controls/folder_list.h"
#include "ui/main/controls/folder_path.h"
#include "ui/main/controls/wildcard.h"

namespace {

using ui::mainwindow::DriveList;
using ui::mainwindow::FileList;
using ui::mainwindow::FolderList;
using ui_test::FormTest;
using ui_test::RowTexts;

TEST(Wildcards, MatchAsWindowsMatchesFileNames) {
    const struct {
        const char* name;
        const char* patterns;
        bool matches;
    } cases[] = {
        {"a.pdf", "*.pdf;*.PDF", true},
        {"B.PDF", "*.pdf;*.PDF", true},
        {"c.Pdf", "*.pdf", true},  // letter case never matters
        {"d.pdfx", "*.pdf", false},
        {"pdf", "*.pdf", false},
        {"scan 1.tif", "*.tif", true},
        {"x.tif.bak", "*.tif", false},
        {"a.b.tif", "*.tif", true},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"noext", "*.*", true},  // "*.*" takes names without a dot too
        {"noext", "*.", true},
        {"a.txt", "*.", false},
        {"ümlaut.TIF", "*.tif", true},
        {"a.pdf", ";;*.pdf;", true},
        {"a.pdf", "", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::mainwindow::MatchesAnyWildcard(QString::fromUtf8(c.name), c.patterns),
                  c.matches)
            << c.name << " against " << c.patterns;
    }
}

TEST(FolderPaths, TakeTheFormTheFolderListReports) {
    const struct {
        const char* given;
        const char* reported;
    } cases[] = {
        {"c:", "C:\\"},         {"C:\\", "C:\\"},         {"c:\\Scans\\", "C:\\Scans"},
        {"C:/a/b", "C:\\a\\b"}, {"C:\\\\neu", "C:\\neu"}, {"D:\\a\\\\b\\\\", "D:\\a\\b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::mainwindow::NormalFolderPath(c.given), c.reported) << c.given;
}

class ClassicControls : public FormTest {
  protected:
    ClassicControls() {
        tree.add({"d/Scans/2024/", "d/Scans/alt/", "d/Scans/Ärger/", "d/Scans/.versteckt/",
                  "d/Scans/liste.pdf", "d/Scans/neu.tif"});
        hide("d/Scans/.versteckt");
    }
    QWidget window;
};

TEST_F(ClassicControls, FolderListShowsAncestorsThenSubfolders) {
    FolderList list(platform(), &window);
    ASSERT_TRUE(list.setPath(at("d:\\scans\\")));
    EXPECT_EQ(list.path(), at("D:\\scans"));
    EXPECT_EQ(RowTexts(list), driveRows('D') + QStringList({"scans", "2024", "alt", "Ärger"}));
    EXPECT_EQ(list.currentRow(), driveRows('D').size());
}

TEST_F(ClassicControls, FolderListAtADriveRootKeepsItsBackslash) {
    if (!ui_test::kMappedDrives)
        GTEST_SKIP() << ui_test::kNoMappedDrives;
    FolderList list(platform(), &window);
    ASSERT_TRUE(list.setPath("D:"));
    EXPECT_EQ(list.path(), "D:\\");
    EXPECT_EQ(RowTexts(list), (QStringList{"d:\\", "Scans"}));
}

TEST_F(ClassicControls, DoubleClickOpensAFolderAndRaisesTheChangeOnce) {
    window.resize(400, 400);
    FolderList list(platform(), &window);
    list.setGeometry(0, 0, 300, 300);
    list.setPath(at("D:\\Scans"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy changed(&list, &FolderList::pathChanged);
    const QRect row = list.visualItemRect(list.item(driveRows('D').size() + 2));
    // A real double-click is a click followed by the double-click event; QTest sends only the
    // latter to a widget.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(list.path(), at("D:\\Scans\\alt"));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(RowTexts(list), driveRows('D') + QStringList({"Scans", "alt"}));
}

TEST_F(ClassicControls, SettingThePathFromCodeRaisesTheSameChange) {
    FolderList list(platform(), &window);
    list.setPath(at("D:\\"));
    QSignalSpy changed(&list, &FolderList::pathChanged);
    EXPECT_TRUE(list.setPath(at("D:\\Scans\\2024")));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(list.setPath(at("D:\\Scans\\2024")));  // the same folder again is no change
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(ClassicControls, FolderListRefusesWhatIsNoFolder) {
    FolderList list(platform(), &window);
    list.setPath(at("D:\\Scans"));
    QSignalSpy changed(&list, &FolderList::pathChanged);
    for (const char* path :
         {"D:\\fehlt", "D:\\Scans\\liste.pdf", "", "Scans", "\\\\server\\share"}) {
        EXPECT_FALSE(list.setPath(at(path))) << path;
    }
    EXPECT_EQ(list.path(), at("D:\\Scans"));
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(ClassicControls, DriveListNamesEachDriveByItsLetterFirst) {
    if (!ui_test::kMappedDrives)
        GTEST_SKIP() << ui_test::kNoMappedDrives;
    DriveList list(platform(), &window);
    ASSERT_EQ(list.count(), 2);
    EXPECT_TRUE(list.itemText(0).startsWith("c:"));
    EXPECT_TRUE(list.itemText(1).startsWith("d:"));
    EXPECT_TRUE(list.drive().startsWith("c:"));  // the working folder's drive
}

TEST_F(ClassicControls, DriveListRaisesTheSameChangeForCodeAndUser) {
    if (!ui_test::kMappedDrives)
        GTEST_SKIP() << ui_test::kNoMappedDrives;
    DriveList list(platform(), &window);
    QSignalSpy changed(&list, &DriveList::driveChanged);
    EXPECT_TRUE(list.setDrive("D:\\Scans"));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(list.drive().startsWith("d:"));
    window.show();
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_TRUE(list.drive().startsWith("c:"));
    EXPECT_FALSE(list.setDrive("Q:"));
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(ClassicControls, FileListShowsMatchingFilesOnceEach) {
    tree.add({"d/docs/a.pdf", "d/docs/B.PDF", "d/docs/c.Pdf", "d/docs/d.txt", "d/docs/e.pdf/",
              "d/docs/.f.pdf"});
    hide("d/docs/.f.pdf");
    FileList list(platform(), &window);
    list.setPattern("*.pdf;*.PDF");
    list.setPath(at("D:\\docs"));
    EXPECT_EQ(RowTexts(list), (QStringList{"a.pdf", "B.PDF", "c.Pdf"}));
    list.setPath(at("D:\\fehlt"));
    EXPECT_EQ(list.count(), 0);
}

}  // namespace
