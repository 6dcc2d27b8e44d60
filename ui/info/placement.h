#pragma once
// Where the info window opens beside the main window.

#include <QRect>

namespace ui::info {

// The info window's left edge, in pixels of the desktop: the main window's right edge when the
// primary screen leaves 5520 twips free right of the main window, else the primary screen's left
// edge. Positions count from the primary screen's own left edge, which on a desktop of several
// screens need not be 0. An empty `primaryScreen` (no screen attached) leaves no room anywhere.
int InfoWindowLeft(const QRect& mainFrame, const QRect& primaryScreen);

}  // namespace ui::info
