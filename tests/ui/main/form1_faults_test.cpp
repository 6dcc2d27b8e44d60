// Faults the main window meets outside a batch run: a settings file that is a folder or holds
// values of the wrong kind, names for a new folder that Windows refuses, and folders the
// system refuses to make.

#include <QTest>
#include <filesystem>
#include <functional>
#include <string>

#include "tests/ui/main/form_fixture.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "tests/support/child_process.h"
#endif

namespace {

using ui_test::FormTest;

class Form1Faults : public FormTest {
  protected:
    Form1Faults() { tree.add({"d/Scans/"}); }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    std::filesystem::path settingsFile() { return tree.path("config/dadiRaravor/dadiRaravor.ini"); }
    // Starts over a store that holds no folder: the field keeps its design-time text, or shows
    // C:\ for a value that reads as missing; closing writes it back as plain text.
    void expectIgnoredThenOverwritten(const std::string& what) {
        const QString shown = form().StartDir->text();
        EXPECT_TRUE(shown.isEmpty() || shown == "C:\\") << what << " shows " << shown.toStdString();
        form().StartDir->setText(at("D:\\Scans"));
        restart();
        EXPECT_EQ(stored("StartDir"), at("D:\\Scans")) << what;
        EXPECT_EQ(form().StartDir->text(), at("D:\\Scans")) << what;
        restart();
    }
};

TEST_F(Form1Faults, ASettingsFileThatIsAFolderReadsAsEmptyAndStaysAFolder) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows keeps the settings in the registry, not in a file";
#endif
    tree.addFolder("config/dadiRaravor/dadiRaravor.ini");
    auto& form = this->form();
    EXPECT_EQ(form.StartDir->text(), "C:\\");
    form.Dir2->setPath(at("D:\\Scans"));
    click(form.cmdokInput);  // writes, and cannot
    restart();
    EXPECT_TRUE(std::filesystem::is_directory(settingsFile()));
    EXPECT_EQ(this->form().StartDir->text(), "C:\\");
}

// Values a hand or another program may have left in the file; none of them is a folder.
TEST_F(Form1Faults, StoredValuesOfTheWrongKindAreIgnoredAndOverwrittenAsText) {
    const char* values[] = {
        "@Rect(1 2 3 4)",
        "@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x3QFoo)",
        "@Variant(\\xff\\xff\\xff\\xff)",
        "@ByteArray(\\0\\0\\0)",
        "@Size(",
        "\"unclosed",
    };
    for (const char* value : values) {
#ifdef _WIN32
        // Qt reads these marks in registry texts as in an INI file.
        setRegistryText("StartDir", value);
        setRegistryText("txtOptDir", value);
#else
        tree.addFile("config/dadiRaravor/dadiRaravor.ini",
                     std::string("[Optionen]\nStartDir=") + value + "\ntxtOptDir=" + value + "\n");
#endif
        expectIgnoredThenOverwritten(value);
    }
}

// Kinds of registry values besides text that another program may have left.
TEST_F(Form1Faults, RegistryValuesThatAreNoTextAreIgnoredAndOverwrittenAsText) {
#ifndef _WIN32
    GTEST_SKIP() << "only Windows keeps the settings in the registry";
#else
    const DWORD number = 1;
    const wchar_t folders[] = L"C:\\\0D:\\\0";  // two texts and the list's end: no one folder
    const unsigned char bytes[] = {0xff, 0x00, 0x5c};
    const struct {
        const char* what;
        DWORD type;
        const void* data;
        DWORD size;
    } cases[] = {
        {"a number", REG_DWORD, &number, sizeof number},
        {"a list of folders", REG_MULTI_SZ, folders, sizeof folders},
        {"bytes", REG_BINARY, bytes, sizeof bytes},
    };
    for (const auto& c : cases) {
        setRegistryValue("StartDir", c.type, c.data, c.size);
        setRegistryValue("txtOptDir", c.type, c.data, c.size);
        expectIgnoredThenOverwritten(c.what);
        EXPECT_EQ(registryValue("StartDir"), at("D:\\Scans")) << c.what << " written as text";
    }
#endif
}

TEST_F(Form1Faults, NewFolderNamesWindowsRefusesAreNotMade) {
    // Windows also reserves COM and LPT with a superscript ¹ ² ³ (U+00B9, U+00B2, U+00B3).
    const char* const names[] = {"CON",  "nul",      "Aux.txt", "COM1",      "lpt9.log",
                                 "PRN",  "Ende.",    "Ende ",   "Tab\tName", "a|b",
                                 "COM¹", "lpt².txt", "Com³",    "aux .txt"};
    auto& form = this->form();
    form.show();
    form.Dir3->setPath(at("D:\\Scans"));
    for (const char* name : names) {
        click(form.cmd_DirNeuTIF);
        form.txtDirTIF->setText(QString::fromUtf8(name));
        click(form.cmd_mkdir);
        EXPECT_EQ(form.lblStatus->text(),
                  QStringLiteral("Ordner %1\\%2 nicht angelegt: Der Name ist unter Windows nicht "
                                 "erlaubt")
                      .arg(at("D:\\Scans"), QString::fromUtf8(name)))
            << name;
        EXPECT_TRUE(form.Frame4->isVisible()) << name;
    }
    EXPECT_TRUE(std::filesystem::is_empty(tree.path("d/Scans")));
}

TEST_F(Form1Faults, NamesThatMerelyBeginLikeADeviceAreMade) {
    auto& form = this->form();
    form.Dir3->setPath(at("D:\\Scans"));
    // Windows reserves COM1-COM9 and LPT1-LPT9 only; COM0 and LPT0 are ordinary names
    // (MicrosoftDocs/win32 pull request 2008 took them back off the naming page).
    for (const char* name : {"CONTO", "com10", "Nullen", ".versteckt", "COM0", "lpt0.txt"}) {
        form.Dir3->setPath(at("D:\\Scans"));
        form.txtDirTIF->setText(name);
        form.cmd_mkdir->click();
        EXPECT_TRUE(std::filesystem::is_directory(tree.path(std::string("d/Scans/") + name)))
            << name << ": " << form.lblStatus->text().toStdString();
    }
}

TEST_F(Form1Faults, ANameTooLongForTheDiskSaysSoInGerman) {
    auto& form = this->form();
    form.Dir3->setPath(at("D:\\Scans"));
    const QString name(300, u'n');
    form.txtDirTIF->setText(name);
    form.cmd_mkdir->click();
    EXPECT_EQ(form.lblStatus->text(),
              QStringLiteral("Ordner %1\\%2 nicht angelegt: Der Name ist zu lang")
                  .arg(at("D:\\Scans"), name));
    EXPECT_TRUE(std::filesystem::is_empty(tree.path("d/Scans")));
}

// The system's own refusals, made real in a child: the reason as the user reads it.
TEST_F(Form1Faults, AFolderTheSystemRefusesIsNamedWithItsReason) {
#ifdef _WIN32
    GTEST_SKIP() << "refusals are made real in a POSIX child without rights or with a tiny "
                    "disk; Wine keeps no access rights and mounts nothing";
#else
    std::filesystem::permissions(tree.path("d/Scans"),
                                 std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    const std::filesystem::path scans = tree.path("d/Scans");
    const struct {
        const char* what;
        std::function<bool()> prepare;
        const char* reason;
    } cases[] = {
        {"a folder without write rights", [] { return test_support::DropPrivileges(); },
         "Zugriff verweigert"},
        {"a full disk", [&] { return test_support::MountTinyDisk(scans, "nr_inodes=1"); },
         "Auf dem Datenträger ist kein Platz mehr frei"},
    };
    for (const auto& c : cases) {
        const auto shown = test_support::RunInChild([&] {
            if (!c.prepare())
                return std::string("cannot be made here");
            form().Dir3->setPath("D:\\Scans");
            form().cmd_mkdir->click();
            return form().lblStatus->text().toStdString();
        });
        if (shown == "cannot be made here")
            GTEST_SKIP() << c.what << " cannot be made here (no root, no user namespace)";
        EXPECT_EQ(shown.value_or("the child died"),
                  std::string("Ordner D:\\Scans\\neuerOrdner nicht angelegt: ") + c.reason)
            << c.what;
    }
#endif
}

}  // namespace
