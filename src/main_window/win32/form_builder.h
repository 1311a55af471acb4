#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "main_window/controls.h"
#include "main_window/form_geometry.h"

namespace quorl {

// Form1's top-level window, hidden, sized so that its client area is the
// form's size in twips; creationData reaches windowProc with WM_NCCREATE.
// Null when the system refuses.
HWND CreateFormWindow(HINSTANCE instance, WNDPROC windowProc, void* creationData);

using NativeControls = std::vector<std::pair<ControlId, HWND>>;

// Every control of the layout table, in tab-index order, in the form and its
// frame; empty when the system refuses one of them.
NativeControls CreateFormControls(HWND form, Dpi dpi, HFONT font);

}  // namespace quorl
