#pragma once
// The designed layout of the info window Form2: its size, caption and colour and the table of
// its controls. Geometry is in twips; Form2 builds itself from this description alone.

#include "ui/common/control_table.h"

namespace ui::info {

const FormDescription& Form2Description();

}  // namespace ui::info
