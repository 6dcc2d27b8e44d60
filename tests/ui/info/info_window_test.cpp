// Opening the info window: placement beside the main window, slide-out, reopening.
#include <QPlainTextEdit>
#include <QPushButton>

#include "tests/ui/info/info_fixture.h"
#include "ui/common/twips.h"
#include "ui/info/placement.h"

namespace {

using test_support::InfoFixture;
using ui::PixelsToTwips;

// The room the info window needs right of the main window, in pixels (5520 twips).
constexpr int kRoomNeeded = 368;

struct PlacementCase {
    const char* name;
    int roomLeft;  // pixels between the main window's right edge and kRoomNeeded
    bool besideMain;
};

void PrintTo(const PlacementCase& c, std::ostream* os) {
    *os << c.name;
}

class Placement : public InfoFixture, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(Placement, InfoWindowOpensBesideTheMainWindowOnlyWhenThereIsRoom) {
    const int mainWidth = mainWindow.frameGeometry().width();
    const int mainLeft = screenWidth() - kRoomNeeded - mainWidth - GetParam().roomLeft;
    placeMainWindow(mainLeft, 70);

    const QRect frame = open().frameGeometry();

    EXPECT_EQ(frame.left(), GetParam().besideMain ? mainLeft + mainWidth : 0);
    EXPECT_EQ(frame.top(), 70);
}

INSTANTIATE_TEST_SUITE_P(InfoWindow, Placement,
                         ::testing::Values(PlacementCase{"RoomToSpare", 100, true},
                                           PlacementCase{"RoomExactlyZero", 0, true},
                                           PlacementCase{"OnePixelShortOfRoom", -1, false},
                                           PlacementCase{"MainWindowAtScreenRightEdge",
                                                         -kRoomNeeded, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InfoWindowLeft, CountsTheRoomOnThePrimaryScreenItself) {
    // A main window frame 300 pixels wide; 1024 - 300 - 368 (5520 twips) leaves room up to 356.
    const struct {
        const char* what;
        QRect primary;
        int mainLeft;
        int infoLeft;
    } cases[] = {
        {"primary at the origin, room", {0, 0, 1024, 768}, 356, 656},
        {"primary at the origin, no room", {0, 0, 1024, 768}, 357, 0},
        {"primary right of another screen, room", {1920, 0, 1024, 768}, 2276, 2576},
        {"primary right of another screen, no room", {1920, 0, 1024, 768}, 2277, 1920},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::info::InfoWindowLeft(QRect(c.mainLeft, 70, 300, 200), c.primary), c.infoLeft)
            << c.what;
    }
}

using SlideOut = InfoFixture;

TEST_F(SlideOut, GrowsVisiblyInStepsBelow200TwipsFromNearlyNothing) {
    std::vector<int> widths;
    platform.onSleep = [&] {
        EXPECT_TRUE(info.form()->isVisible());
        widths.push_back(info.form()->outerWidthTwips());
    };

    open();

    ASSERT_GE(widths.size(), 10u);
    // The first step starts from the frame and the one pixel a window has at least.
    const int frameWidth = info.form()->frameGeometry().width() - info.form()->width();
    EXPECT_LE(widths.front(), PixelsToTwips(frameWidth + 1) + 200);
    for (std::size_t i = 1; i < widths.size(); ++i) {
        EXPECT_GT(widths[i], widths[i - 1]) << "step " << i;
        EXPECT_LE(widths[i] - widths[i - 1], 200) << "step " << i;
    }
}

TEST_F(SlideOut, EndsAtLeastAtTheDesignedWidthAndLessThanOneStepBeyond) {
    ui::info::Form2& form = open();

    const int frameWidth = form.frameGeometry().width() - form.width();
    const int designed = PixelsToTwips(ui::TwipsToPixels(5640) + frameWidth);
    const int reached = PixelsToTwips(form.frameGeometry().width());
    EXPECT_GE(reached, designed);
    EXPECT_LT(reached, designed + 200);
    EXPECT_EQ(form.height(), ui::TwipsToPixels(4635));
}

TEST_F(SlideOut, EndsWhenTheWindowSystemStopsTheWindowGrowing) {
    int held = 0;
    platform.onSleep = [&] {
        if (platform.sleeps == 3) {
            held = info.form()->width();
            info.form()->setMaximumWidth(held);
        }
    };

    ui::info::Form2& form = open();

    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.width(), held);
    EXPECT_LE(platform.sleeps, 5);
}

using Reopening = InfoFixture;

TEST_F(Reopening, WhileOpenNeitherMovesNorSlidesNorResetsTheFigure) {
    ui::info::Form2& form = open();
    movePointer({10, 100});  // bare client area: the figure goes to rest
    const QRect frame = form.frameGeometry();
    const int sleeps = platform.sleeps;

    placeMainWindow(5, 5);
    info.showFrom(mainWindow);

    EXPECT_EQ(info.form(), &form);
    EXPECT_EQ(form.frameGeometry(), frame);
    EXPECT_EQ(platform.sleeps, sleeps);
    EXPECT_EQ(visibleFigure(), "Image1");
}

TEST_F(Reopening, AMinimisedWindowComesBackAsItWasWithoutASlide) {
    ui::info::Form2& form = open();
    const QRect frame = form.frameGeometry();
    form.showMinimized();
    ASSERT_TRUE(form.isMinimized());
    const int sleeps = platform.sleeps;

    info.showFrom(mainWindow);

    EXPECT_EQ(info.form(), &form);
    EXPECT_FALSE(form.isMinimized());
    EXPECT_EQ(form.frameGeometry(), frame);
    EXPECT_EQ(platform.sleeps, sleeps);
}

TEST_F(Reopening, AfterACloseStartsAfreshFromTheMainWindowsNewPlace) {
    open();
    movePointer({10, 100});
    auto* text = control<QPlainTextEdit>("Text1");
    const QString notice = text->toPlainText();
    text->setPlainText("weg damit");
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    ASSERT_FALSE(info.isOpen());
    const int sleeps = platform.sleeps;

    placeMainWindow(40, 90);
    const QRect frame = open().frameGeometry();

    EXPECT_EQ(frame.topLeft(), QPoint(mainWindow.frameGeometry().right() + 1, 90));
    EXPECT_GT(platform.sleeps, sleeps);
    EXPECT_EQ(visibleFigure(), "Image2");
    EXPECT_EQ(control<QPlainTextEdit>("Text1")->toPlainText(), notice);
}

TEST_F(Reopening, ClosingTheMainWindowLeavesTheInfoWindowOpen) {
    open();

    mainWindow.close();

    EXPECT_TRUE(info.isOpen());
}

}  // namespace
