#pragma once

#include <string_view>

#include "controls.h"

namespace quorl {

// What a screen reader announces for a control of Form1: a text box by the
// caption of the label beside it, any other control by its own caption, the
// form by its caption. Points into the layout table, which lives as long as
// the program.
std::u16string_view AccessibleName(ControlId control);

}  // namespace quorl
