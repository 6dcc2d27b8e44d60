// Twips become pixels by their edges: the conversion both windows place their controls with.

#include <gtest/gtest.h>

#include "ui/common/twips.h"

namespace {

TEST(TwipsToPixels, RoundsToTheNearestPixelEdge) {
    const struct {
        const char* behaviour;
        int twips;
        int pixels;
    } rows[] = {
        {"zero is zero", 0, 0},
        {"less than half a pixel rounds down", 7, 0},
        {"half a pixel and more rounds up", 8, 1},
        {"one pixel is fifteen twips", 15, 1},
        {"just below a pixel and a half stays one", 22, 1},
        {"a pixel and a half rounds up", 23, 2},
        {"an open panel's height", 4335, 289},
        {"the main window's width", 10320, 688},
        {"the main window's height", 6030, 402},
        {"the info window's width", 5640, 376},
        {"less than half a pixel below zero rounds to zero", -7, 0},
        {"half a pixel below zero rounds away from zero", -8, -1},
        {"whole pixels below zero do not truncate towards zero", -45, -3},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ui::TwipsToPixels(row.twips), row.pixels) << row.behaviour << ": " << row.twips;
}

TEST(PixelRect, ControlsThatTouchInTwipsTouchInPixels) {
    const QRect left = ui::PixelRect({100, 0, 1003, 15});
    const QRect right = ui::PixelRect({1103, 0, 500, 15});
    EXPECT_EQ(left, QRect(7, 0, 67, 1));
    EXPECT_EQ(left.right() + 1, right.left());
}

}  // namespace
