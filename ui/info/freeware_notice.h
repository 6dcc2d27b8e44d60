#pragma once
// The freeware notice in the info window's text box: paragraphs separated by blank lines, every
// line ended by CR LF, the last two paragraphs (warranty and liability) in capitals.

#include <string>

namespace ui::info {

// UTF-8.
std::string FreewareNotice();

}  // namespace ui::info
