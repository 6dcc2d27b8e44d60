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

// A control's place as a form designer gives it: left, top, width and height in twips.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The pixel rectangle of `r`, converted by its edges.
inline QRect PixelRect(TwipsRect r) {
    const int x = TwipsToPixels(r.left);
    const int y = TwipsToPixels(r.top);
    return QRect(x, y, TwipsToPixels(r.left + r.width) - x, TwipsToPixels(r.top + r.height) - y);
}

// A control that keeps its place in twips, so that a size set in twips reads back exactly.
// BuildForm places such a control through it rather than by pixels.
class TwipsPlaced {
  public:
    virtual void setTwipsGeometry(TwipsRect rect) = 0;

  protected:
    ~TwipsPlaced() = default;
};

}  // namespace ui
