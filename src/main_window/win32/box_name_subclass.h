#pragma once

#include <windows.h>

#include "main_window/form_layout.h"

namespace quorl {

// Screen readers announce the box by its accessible name, the caption of the
// label beside it. The system would name an edit box after the nearest label
// before it among its siblings: most boxes of Form1 have none, their labels
// belonging to the frame, and in the frame Text3's nearest is another box's.
// So the box is subclassed to answer their requests itself. The box's row of
// the layout table must outlive the box, as the table's rows do.
void NameBoxForScreenReaders(HWND box, const ControlLayout& layout);

}  // namespace quorl
