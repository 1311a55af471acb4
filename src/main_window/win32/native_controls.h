#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "main_window/form_layout.h"

namespace quorl {

// The screen's resolution, for turning twips into pixels.
struct Dpi {
    int x = 96;
    int y = 96;
};
Dpi SystemDpi();

// Position and size in pixels, relative to the control's parent window.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
// Where the control stands in its parent. Each edge is converted from its
// place on the form, so controls whose edges meet in twips meet in pixels,
// whichever container they belong to.
PixelRect ToPixels(const ControlLayout& layout, Dpi dpi);

// The control ID of a control of Form1, from its name alone, so that a
// control added to the layout table leaves every other ID as it was (UI
// Automation gives it to scripts as the control's AutomationId). The
// thousands tell the kind of name, then come the name's counter and the
// index in a control array: Text4(5) is 1045, Label9 2090, Command1 3010.
// All lie past the IDs that dialog navigation sends for Enter and Escape
// (IDOK, IDCANCEL). Counters up to 99 and arrays of up to ten members fit.
int ControlIdOf(ControlId control);

// The native control for one row of the layout table, created in parent.
HWND CreateNativeControl(HWND parent, const ControlLayout& layout, Dpi dpi, HFONT font);

std::wstring ToWide(std::u16string_view text);
std::u16string FromWide(std::wstring_view text);

}  // namespace quorl
