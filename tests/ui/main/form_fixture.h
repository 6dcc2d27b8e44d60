#pragma once
// Test fixture for the main window: a temporary folder tree presented as drives C: and D:
// through the POSIX platform, a message recorder in place of the message box, and helpers to
// find widgets and read the folder lists.

#include <gtest/gtest.h>

#include <QRect>
#include <QStringList>
#include <functional>
#include <memory>
#include <ostream>

#include "platform/posix/posix_platform.h"
#include "tests/support/temp_tree.h"
#include "ui/main/form1.h"
#include "ui/main/messages.h"

// Readable failures: gtest finds this through argument-dependent lookup.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QRect& rect, std::ostream* out) {
    *out << rect.x() << ',' << rect.y() << ' ' << rect.width() << 'x' << rect.height();
}

namespace ui_test {

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
    FormTest();
    ~FormTest() override;

    // A platform with C: -> <tree>/c and D: -> <tree>/d, the program in C:\prog and the
    // working folder C:\. Extra drives may be mapped before the first call of platform().
    platform::posix::PosixPlatform& platform();
    void mapDrive(char letter, std::string_view relativeFolder);
    // The main window over that platform (created, and so loaded, on first use), with the
    // settings store in <tree>/config.
    ui::mainwindow::Form1& form();
    // Closes and destroys the window, so that the next form() starts the program again.
    void restart();
    // The settings file as the program sees it, to fill before and read after a start.
    QString stored(const QString& key) const;
    void store(const QString& key, const QString& value);

    test_support::TempTree tree;
    RecordingMessages messages;

  private:
    platform::posix::DriveMap drives_;
    std::unique_ptr<platform::posix::PosixPlatform> platform_;
    std::unique_ptr<ui::mainwindow::SettingsStore> settings_;
    std::unique_ptr<ui::mainwindow::Form1> form_;
};

// The texts of a list widget's rows, top to bottom.
QStringList RowTexts(const class QListWidget& list);

}  // namespace ui_test
