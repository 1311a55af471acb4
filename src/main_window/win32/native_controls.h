#pragma once

#include <windows.h>

#include "main_window/form_geometry.h"
#include "main_window/form_layout.h"

namespace quorl {

// The native control for one row of the layout table, created in parent at
// the row's place and with its text, control ID and the form's font.
HWND CreateNativeControl(HWND parent, const ControlLayout& layout, Dpi dpi, HFONT font);

}  // namespace quorl
