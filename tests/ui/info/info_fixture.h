#pragma once
// A stand-in main window, the recording platform and the info window opened from them.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtTest/QTest>

#include "tests/ui/info/recording_platform.h"
#include "ui/info/form2.h"
#include "ui/info/info_window.h"

namespace test_support {

class InfoFixture : public ::testing::Test {
  protected:
    InfoFixture() {
        mainWindow.setWindowTitle("dadiRaravor");
        mainWindow.resize(300, 200);
        mainWindow.show();
        placeMainWindow(20, 30);
        // Qt drops a move to where the pointer already is; the last test may have left it at
        // the very point this one moves to first.
        QTest::mouseMove(mainWindow.windowHandle(), QPoint(1, 1));
    }

    // Moves the main window's frame (title bar and borders included) to left, top.
    void placeMainWindow(int left, int top) {
        mainWindow.move(left, top);
        EXPECT_EQ(mainWindow.frameGeometry().topLeft(), QPoint(left, top));
    }

    int screenWidth() const { return QGuiApplication::primaryScreen()->geometry().width(); }

    ui::info::Form2& open() {
        info.showFrom(mainWindow);
        EXPECT_NE(info.form(), nullptr);
        return *info.form();
    }

    template <typename Widget = QWidget>
    Widget* control(const char* name) const {
        auto* widget = info.form()->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Which colouring of the figure shows: "Image1", "Image2", "both" or "none".
    std::string visibleFigure() const {
        const bool rest = control("Image1")->isVisible();
        const bool lit = control("Image2")->isVisible();
        return rest && lit ? "both" : rest ? "Image1" : lit ? "Image2" : "none";
    }

    // Moves the pointer without a button, delivered as the window system delivers it.
    void movePointer(QPoint clientPos) const {
        QTest::mouseMove(info.form()->windowHandle(), clientPos);
    }

    RecordingPlatform platform;
    QWidget mainWindow;
    ui::info::InfoWindow info{platform};
};

}  // namespace test_support
