#pragma once
// The designed layout of the main window Form1: its size and caption and the table of its
// controls. Geometry is in twips; Form1 builds itself from this table alone.

#include <span>
#include <string_view>

#include "ui/main/control_table.h"

namespace ui::mainwindow {

inline constexpr std::string_view kForm1Caption = "dadiRaravor";
inline constexpr int kForm1ClientWidthTwips = 10320;
inline constexpr int kForm1ClientHeightTwips = 6030;

// Heights of the folder panels Frame2 and Frame3.
inline constexpr int kPanelCollapsedTwips = 700;
inline constexpr int kPanelOpenTwips = 4335;

std::span<const ControlDescription> Form1Controls();

}  // namespace ui::mainwindow
