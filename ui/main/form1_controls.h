#pragma once
// The controls only the main window has: its frames, check box, drive, folder and file lists,
// and command buttons that draw their own face, so the designed colours show exactly.

#include "ui/common/control_table.h"

namespace platform {
class Platform;
}

namespace ui::mainwindow {

// BuildForm's maker for Form1: the widget of `row` when it is of one of the kinds above, else
// null. The lists show what `platform` sees.
QWidget* MakeForm1Control(const ControlDescription& row, QWidget* parent,
                          platform::Platform& platform);

}  // namespace ui::mainwindow
