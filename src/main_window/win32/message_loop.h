#pragma once

#include <windows.h>

namespace quorl {

// Hands one message to the form's controls, with dialog navigation: Tab and
// Shift+Tab move the focus in tab-index order.
void DispatchFormMessage(HWND form, MSG& message);

// Runs until the form is closed; returns the exit code of WM_QUIT.
int RunMessageLoop(HWND form);

}  // namespace quorl
