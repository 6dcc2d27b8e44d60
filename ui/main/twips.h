#pragma once
// The main form's geometry: rectangles in twips, placed by the edge conversion of
// ui/common/twips.h so that controls that touch in twips touch in pixels.

#include <QRect>

#include "ui/common/twips.h"

namespace ui::mainwindow {

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

using ui::TwipsToPixels;

inline QRect PixelRect(TwipsRect r) {
    return ui::TwipsRect(r.left, r.top, r.width, r.height);
}

}  // namespace ui::mainwindow
