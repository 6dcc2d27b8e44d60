#pragma once
// The controls only the main window has: its frames, check box, drive, folder and file lists,
// and command buttons that draw their own face, so the designed colours show exactly.

#include "ui/common/control_table.h"

namespace platform {
class Platform;
}

namespace ui::mainwindow {

// The kinds of Form1's table: those BuildForm makes and the window's own.
namespace form1_kinds {
using namespace ui::kinds;
inline constexpr ControlKind CheckBox{kFirstOwnId, true};
// Holds the rows that name it and clips them; `borderless` leaves out its border and caption.
inline constexpr ControlKind Frame{kFirstOwnId + 1, false, true};
inline constexpr ControlKind DriveList{kFirstOwnId + 2, true};
inline constexpr ControlKind FolderList{kFirstOwnId + 3, true};
inline constexpr ControlKind FileList{kFirstOwnId + 4, true};  // shows the files of `pattern`
}  // namespace form1_kinds

// BuildForm's maker for Form1: the widget of `row` when it is of one of the window's own kinds
// or a command button, else null. The lists show what `platform` sees.
QWidget* MakeForm1Control(const ControlDescription& row, QWidget* parent,
                          platform::Platform& platform);

}  // namespace ui::mainwindow
