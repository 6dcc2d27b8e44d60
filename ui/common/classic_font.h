#pragma once
// The font of both windows. Their layout is fixed in pixels at 96 dots per inch, so font
// sizes given in points become pixel sizes at that resolution: texts fit their controls
// whatever resolution the screen reports.

#include <QFont>

namespace ui {

// The pixel size of a font of `points` on a screen of 96 dots per inch.
int PointsToPixels(double points);

// "MS Sans Serif", or the first of the faces of about its width that the system has, before
// the system's sans-serif; 8.25 points is the forms' standard size.
QFont ClassicFont(double points = 8.25, bool bold = false);

// "Times New Roman", or a serif face of about its width, at `points` as above.
QFont ClassicSerifFont(double points, bool bold);

}  // namespace ui
