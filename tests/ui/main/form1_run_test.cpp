// The start button over a temporary tree: the five fields go to the batch run, whose lines land
// in do.bat and whose texts reach the status line and the message box in order.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "tests/ui/main/form_fixture.h"

#ifndef _WIN32
#include <cstdlib>

#include "tests/support/child_process.h"
#endif

namespace {

using ui_test::FormTest;

const QString kListMade = "Dateiliste list.tmp wurde erstellt. Ausführung wird nun gestartet...";

class Form1Run : public FormTest {
  protected:
    Form1Run() {
        tree.add({"c/data/a.tif", "c/data/sub/b.tif", "c/data/c.TIF", "c/data/d.gz", "c/out/"});
        auto& f = form();
        f.StartDir->setText(at("C:\\data"));
        f.txtOptDir->setText(at("C:\\out"));
        f.txtExtension->setText("tif");
        f.txtDosCmd->setText("conv");
        messages.onShow = [this](const QString&) { statusAtMessage << form().lblStatus->text(); };
    }
    void start() { QTest::mouseClick(form().Command1, Qt::LeftButton); }
    QString done() const {
        return "Die Datei " + at("C:\\prog\\do.bat") +
               " wurde erzeugt und kann nun ausgeführt werden";
    }
    QString doBat() const { return QString::fromStdString(tree.read("c/prog/do.bat")); }
    QStringList statusAtMessage;
};

TEST_F(Form1Run, StartButtonAppendsALinePerMatchAndReportsInOrder) {
    start();
    EXPECT_EQ(messages.texts, (QStringList{kListMade, done()}));
    EXPECT_EQ(statusAtMessage, (QStringList{"Status", " 2 Dateien wurden verarbeitet"}));
    EXPECT_EQ(form().lblStatus->text(), " 2 Dateien wurden verarbeitet");
    EXPECT_EQ(doBat(), "cmd /c conv " + at("C:\\data\\a.tif") + " " + at("C:\\data\\") + "\r\n" +
                           "cmd /c conv " + at("C:\\data\\sub\\b.tif") + " " +
                           at("C:\\data\\sub\\") + "\r\n");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(Form1Run, TickedCheckBoxMakesTheOutputFolderTheTarget) {
    form().Check1->setChecked(true);
    form().txtExtension->setText("gz");
    start();
    EXPECT_EQ(doBat(), "cmd /c conv " + at("C:\\data\\d.gz") + " " + at("C:\\out") + "\r\n");
}

TEST_F(Form1Run, MissingOutputFolderStopsTheRunWithOneMessageNamingIt) {
    form().txtOptDir->setText(at("C:\\nirgends"));
    start();
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains(at("C:\\nirgends")));
    EXPECT_EQ(form().lblStatus->text(), "Status");
    EXPECT_FALSE(std::filesystem::exists(tree.path("c/prog/do.bat")));
}

// An installed program cannot write in its own folder (/usr/bin, C:\Program Files).
TEST_F(Form1Run, AnInstalledProgramWritesIntoTheDataFolderEvenWhereItMayWriteBesideItself) {
#ifdef _WIN32
    GTEST_SKIP() << "the data folder is the test prefix's own there; a Wine row covers it";
#else
    // As cmake --install and the .deb lay it out: the desktop entry in ..\share\applications.
    tree.add({"c/share/applications/dadiRaravor.desktop", "c/home/"});
    tree.addFile("c/prog/do.bat", "rem beside the program\r\n");
    ::setenv("XDG_DATA_HOME", tree.path("c/home").c_str(), 1);
    start();
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(messages.texts.back(),
              "Die Datei C:\\home\\dadiRaravor\\do.bat wurde erzeugt und kann nun ausgeführt werden");
    EXPECT_EQ(tree.read("c/home/dadiRaravor/do.bat"),
              "cmd /c conv C:\\data\\a.tif C:\\data\\\r\n"
              "cmd /c conv C:\\data\\sub\\b.tif C:\\data\\sub\\\r\n");
    EXPECT_EQ(doBat(), "rem beside the program\r\n");
    EXPECT_FALSE(std::filesystem::exists(tree.path("c/prog/list.tmp")));
#endif
}

TEST_F(Form1Run, AnUnwritableProgramFolderMovesTheFilesToTheUsersDataFolder) {
#ifdef _WIN32
    GTEST_SKIP() << "a folder the test may not write in needs a child without rights (POSIX); "
                    "Wine keeps no access rights on folders";
#else
    using std::filesystem::perms;
    tree.add({"c/home/"});
    std::filesystem::permissions(tree.path("c/home"), perms::all);
    std::filesystem::permissions(tree.path("c/prog"),
                                 perms::owner_write | perms::group_write | perms::others_write,
                                 std::filesystem::perm_options::remove);
    const std::string dataHome = tree.path("c/home/.local/share").string();
    const auto startUnprivileged = [&] {
        if (!test_support::DropPrivileges())
            return std::string("could not drop privileges");
        ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        start();
        return messages.texts.join(u'|').toStdString();
    };
    const auto shown = test_support::RunInChild(startUnprivileged);
    EXPECT_EQ(QString::fromStdString(shown.value_or("the child died")),
              kListMade +
                  "|Die Datei C:\\home\\.local\\share\\dadiRaravor\\do.bat wurde "
                  "erzeugt und kann nun ausgeführt werden");
    EXPECT_EQ(tree.read("c/home/.local/share/dadiRaravor/do.bat"),
              "cmd /c conv C:\\data\\a.tif C:\\data\\\r\n"
              "cmd /c conv C:\\data\\sub\\b.tif C:\\data\\sub\\\r\n");
    EXPECT_TRUE(std::filesystem::is_empty(tree.path("c/prog")));

    // A data folder that is read-only too: refused before the listing, both folders named.
    std::filesystem::permissions(tree.path("c/home/.local/share/dadiRaravor"),
                                 perms::owner_write | perms::group_write | perms::others_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_EQ(QString::fromStdString(test_support::RunInChild(startUnprivileged).value_or("")),
              "Weder der Programmordner C:\\prog noch der Datenordner "
              "C:\\home\\.local\\share\\dadiRaravor kann list.tmp und do.bat aufnehmen "
              "(schreibgeschützt, voll oder nicht anzulegen). Es wurde nichts geschrieben.");
    EXPECT_TRUE(std::filesystem::is_empty(tree.path("c/prog")));
#endif
}

}  // namespace

namespace {

TEST(ModalMessages, ShowATitledBoxWithOnlyOkAndWaitForIt) {
    QString title, text;
    QList<QAbstractButton*> buttons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        buttons = box->buttons();
        box->button(QMessageBox::Ok)->click();
    });
    ui::mainwindow::ModalMessages messages;
    messages.show("Ordner existiert schon");
    EXPECT_EQ(title, "dadiRaravor");
    EXPECT_EQ(text, "Ordner existiert schon");
    EXPECT_EQ(buttons.size(), 1);
}

}  // namespace
