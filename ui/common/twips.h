#pragma once
// Twips (1/1440 inch) and pixels at 96 dots per inch: 15 twips make one pixel.
//
// Positions convert by their edges, not by their sizes: a control's width is the distance
// between its converted right and left edges, so controls that touch in twips touch on screen
// and never overlap.

#include <QRect>

namespace ui {

inline constexpr int kTwipsPerPixel = 15;

// The pixel edge nearest to a twip position (halves round up). Negative positions round the
// same way, so -45 twips is -3 pixels, not -2 as truncating division would give.
constexpr int TwipsToPixels(int twips) {
    const int shifted = twips + kTwipsPerPixel / 2;
    return shifted >= 0 ? shifted / kTwipsPerPixel
                        : -((-shifted + kTwipsPerPixel - 1) / kTwipsPerPixel);
}

constexpr int PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

inline QRect TwipsRect(int left, int top, int width, int height) {
    const int x = TwipsToPixels(left);
    const int y = TwipsToPixels(top);
    return QRect(x, y, TwipsToPixels(left + width) - x, TwipsToPixels(top + height) - y);
}

}  // namespace ui
