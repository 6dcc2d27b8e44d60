#pragma once
// The frame a user sees around a top-level window.

#include <QMargins>

class QWidget;

namespace ui::info {

// The borders and title bar around `window`'s client area as drawn on the screen, in Qt's
// pixels: Qt's own frame margins, except on Qt's Windows platform with a native window, where
// the system is asked. Qt reckons there with the invisible resize borders of Windows 10 and
// leaves them out of the frame, also where the system draws them visibly (Wine): its frame
// then ends a few pixels inside the window's real edges.
QMargins SeenFrameMargins(const QWidget& window);

}  // namespace ui::info
