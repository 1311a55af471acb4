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

// The control ID of a control of Form1: its row in the layout table, past the
// IDs that dialog navigation sends for Enter and Escape (IDOK, IDCANCEL).
inline constexpr int kFirstControlId = 1000;
int ControlIdOf(const ControlLayout& layout);

// The native control for one row of the layout table, created in parent.
HWND CreateNativeControl(HWND parent, const ControlLayout& layout, Dpi dpi, HFONT font);

std::wstring ToWide(std::u16string_view text);
std::u16string FromWide(std::wstring_view text);

}  // namespace quorl
