#pragma once
// Test fixture for the main window: a temporary folder tree standing in for drives C: and D:, a
// message recorder in place of the message box, and helpers to find widgets and read the
// folder lists.
//
// On POSIX the tree is the drives: the POSIX platform maps C: and D: to its folders c and d.
// Windows has no way to give a temporary folder a drive letter of its own that Wine honours,
// so there the window runs over the real Win32 platform, the tests name places through at(),
// which turns "D:\Scans" into the real path of d\Scans in the tree, and the settings go to a
// registry key of the test's own. Tests that need drives of their own skip on Windows.

#include <gtest/gtest.h>

#include <QRect>
#include <QStringList>
#include <functional>
#include <memory>
#include <ostream>

#include "tests/support/temp_tree.h"
#include "ui/main/form1.h"
#include "ui/main/messages.h"

#ifndef _WIN32
#include "platform/posix/posix_platform.h"
#endif

// Readable failures: gtest finds this through argument-dependent lookup.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QRect& rect, std::ostream* out) {
    *out << rect.x() << ',' << rect.y() << ' ' << rect.width() << 'x' << rect.height();
}

namespace ui_test {

#ifdef _WIN32
inline constexpr bool kMappedDrives = false;
#else
inline constexpr bool kMappedDrives = true;
#endif
// Why a test that needs drives of its own does not run on Windows.
inline constexpr const char* kNoMappedDrives =
    "Windows gives a temporary folder no drive letter of its own (Wine ignores DefineDosDevice), "
    "so drives that are not ready, drive roots and the drive list are tested on POSIX only";

// Remembers every message instead of showing it; `onShow` runs while a message is "open".
class RecordingMessages : public ui::mainwindow::Messages {
  public:
    void show(const QString& text) override {
        texts.push_back(text);
        if (onShow)
            onShow(text);
    }
    QStringList texts;
    std::function<void(const QString&)> onShow;
};

class FormTest : public ::testing::Test {
  protected:
#ifdef _WIN32
    using TestPlatform = platform::Platform;
#else
    using TestPlatform = platform::posix::PosixPlatform;
#endif

    FormTest();
    ~FormTest() override;

    // The program in C:\prog and the working folder C:\, with C: and D: in the tree. On POSIX
    // extra drives may be mapped before the first call of platform().
    TestPlatform& platform();
    void mapDrive(char letter, std::string_view relativeFolder);
    // The main window over that platform (created, and so loaded, on first use), with the
    // settings store in <tree>/config (on Windows in the test's own registry key).
    ui::mainwindow::Form1& form();
    // Closes and destroys the window, so that the next form() starts the program again.
    void restart();
    // A value of the settings store as the program sees it, to fill before and read after a start.
    QString stored(const QString& key) const;
    void store(const QString& key, const QString& value);

    // The real path of a place on the test's drives C: and D: ("D:\Scans", "d:", "C:\prog\");
    // a drive's root is its folder in the tree. Any other text stays as it is. On POSIX the
    // test's drives are real drives, so every path stays as it is.
    QString at(const QString& path) const;
    // The folder list's rows from the root down to drive `letter`'s root: "d:\" on POSIX, the
    // chain of folders down to the tree's d on Windows.
    QStringList driveRows(char letter) const;
    // Makes an entry of the tree hidden as Windows sees it; on POSIX its leading dot does.
    void hide(std::string_view relative);

#ifdef _WIN32
    // The registry value Optionen\<name> of the program's key as it is stored, read and
    // written with the registry's own calls; "<fehlt>" when there is none, "<type N>" when it
    // holds no text.
    QString registryValue(const QString& name) const;
    void setRegistryValue(const QString& name, unsigned long type, const void* data,
                          unsigned long size);
    void setRegistryText(const QString& name, const QString& text);
#endif

    test_support::TempTree tree;
    RecordingMessages messages;

  private:
#ifdef _WIN32
    class Machine;  // the working folder and registry key this test borrows, given back after
    std::unique_ptr<Machine> machine_;
    QString root_;  // the tree's short path, so paths in it need no quoting
    std::unique_ptr<platform::Platform> platform_;
#else
    platform::posix::DriveMap drives_;
    std::unique_ptr<platform::posix::PosixPlatform> platform_;
#endif
    std::unique_ptr<ui::mainwindow::SettingsStore> settings_;
    std::unique_ptr<ui::mainwindow::Form1> form_;
};

// The texts of a list widget's rows, top to bottom.
QStringList RowTexts(const class QListWidget& list);

}  // namespace ui_test
