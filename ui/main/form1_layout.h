#pragma once
// The designed layout of the main window Form1: its size and caption and the table of its
// controls. Geometry is in twips; Form1 builds itself from this description alone.

#include "ui/common/control_table.h"

namespace ui::mainwindow {

// Heights of the folder panels Frame2 and Frame3.
inline constexpr int kPanelCollapsedTwips = 700;
inline constexpr int kPanelOpenTwips = 4335;

const FormDescription& Form1Description();

}  // namespace ui::mainwindow
