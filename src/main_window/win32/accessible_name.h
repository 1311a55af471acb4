#pragma once

#include <windows.h>

#include "main_window/form_layout.h"

namespace quorl {

// Screen readers announce the box by the label's caption. The system would
// name an edit box after the nearest label before it among its siblings:
// most boxes of Form1 have none, their labels belonging to the frame, and
// in the frame Text3's nearest is another box's. The label's row of the
// layout table must outlive the box, as the table's rows do.
void NameAfterLabel(HWND box, const ControlLayout& label);

}  // namespace quorl
