#pragma once
// Geometry of the classic form: twips (15 to a pixel at 96 dots per inch) turned into pixels by
// edges, so that controls that touch in twips touch in pixels and never overlap.

#include <QRect>

namespace ui::main {

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

constexpr int TwipsToPixels(int twips) {
    return (twips + 7) / 15;
}

constexpr QRect PixelRect(TwipsRect r) {
    const int x = TwipsToPixels(r.left);
    const int y = TwipsToPixels(r.top);
    return QRect(x, y, TwipsToPixels(r.left + r.width) - x, TwipsToPixels(r.top + r.height) - y);
}

}  // namespace ui::main
