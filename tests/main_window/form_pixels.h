#pragma once

// Where Form1's controls stand at each DPI the Windows window's placement
// tests run at (win32/main_window.sh), worked out by hand from the layout
// table's twips: 1440 twips an inch, each edge's place on the form rounded
// down to a whole pixel, then counted from the container's own place (the
// frame's edges; nothing for the form). The tests of both windows, and of the
// arithmetic behind them, check against these.

#include <ostream>
#include <span>

#include "main_window/controls.h"
#include "main_window/form_geometry.h"

namespace quorl::testing {

struct PlacedControl {
    ControlId control;
    ControlName container;
    PixelRect pixels;  // in its container
};

struct FormPixels {
    int dpi = 96;
    PixelSize client;
    std::span<const PlacedControl> controls;
};

// For the names of the tests that take one.
inline void PrintTo(const FormPixels& form, std::ostream* stream) {
    *stream << form.dpi << " DPI";
}

// At 96 DPI 15 twips make a pixel, so every control can be worked out.
inline constexpr PlacedControl kAt96Dpi[] = {
    {{ControlName::Text1}, ControlName::Form1, {115, 25, 161, 21}},
    {{ControlName::Text2}, ControlName::Form1, {115, 50, 161, 21}},
    {Text4(0), ControlName::Form1, {115, 110, 276, 21}},
    {Text4(1), ControlName::Form1, {115, 135, 276, 21}},
    {Text4(2), ControlName::Form1, {115, 160, 276, 21}},
    {Text4(3), ControlName::Form1, {115, 185, 276, 21}},
    {Text4(4), ControlName::Form1, {115, 210, 276, 21}},
    {Text4(5), ControlName::Form1, {115, 235, 276, 21}},
    {{ControlName::Frame1}, ControlName::Form1, {5, 5, 406, 266}},
    {{ControlName::Label1}, ControlName::Frame1, {10, 45, 91, 16}},
    {{ControlName::Label2}, ControlName::Frame1, {10, 70, 56, 16}},
    {{ControlName::Label3}, ControlName::Frame1, {10, 105, 91, 16}},
    {{ControlName::Label4}, ControlName::Frame1, {10, 130, 91, 16}},
    {{ControlName::Label5}, ControlName::Frame1, {10, 155, 91, 16}},
    {{ControlName::Label6}, ControlName::Frame1, {10, 180, 91, 16}},
    {{ControlName::Label7}, ControlName::Frame1, {10, 205, 91, 16}},
    {{ControlName::Label8}, ControlName::Frame1, {10, 230, 91, 16}},
    {{ControlName::Label9}, ControlName::Frame1, {10, 20, 91, 16}},
    {{ControlName::Text3}, ControlName::Frame1, {110, 70, 161, 21}},
    {{ControlName::Command1}, ControlName::Frame1, {290, 20, 96, 71}},
};

inline constexpr PlacedControl kAt120Dpi[] = {
    {{ControlName::Text1}, ControlName::Form1, {143, 31, 202, 26}},
    {{ControlName::Text2}, ControlName::Form1, {143, 62, 202, 26}},
    {Text4(5), ControlName::Form1, {143, 293, 345, 27}},
    {{ControlName::Frame1}, ControlName::Form1, {6, 6, 507, 332}},
    {{ControlName::Label9}, ControlName::Frame1, {12, 25, 114, 20}},
    {{ControlName::Label2}, ControlName::Frame1, {12, 87, 70, 20}},
    {{ControlName::Text3}, ControlName::Frame1, {137, 87, 202, 27}},
    {{ControlName::Command1}, ControlName::Frame1, {362, 25, 120, 89}},
};

// Half pixels appear. Converting edges rather than sizes keeps what meets in
// twips together: Text3 and Command1 end on the same row, Text1 and Text3
// start in the same column, though they have different containers.
inline constexpr PlacedControl kAt144Dpi[] = {
    {{ControlName::Text1}, ControlName::Form1, {172, 37, 242, 32}},
    {{ControlName::Text2}, ControlName::Form1, {172, 75, 242, 31}},
    {Text4(5), ControlName::Form1, {172, 352, 414, 32}},
    {{ControlName::Frame1}, ControlName::Form1, {7, 7, 609, 399}},
    {{ControlName::Label9}, ControlName::Frame1, {15, 30, 137, 24}},
    {{ControlName::Label2}, ControlName::Frame1, {15, 105, 84, 24}},
    {{ControlName::Text3}, ControlName::Frame1, {165, 105, 242, 32}},
    {{ControlName::Command1}, ControlName::Frame1, {435, 30, 144, 107}},
};

inline constexpr PlacedControl kAt168Dpi[] = {
    {{ControlName::Text1}, ControlName::Form1, {201, 43, 282, 37}},
    {{ControlName::Text2}, ControlName::Form1, {201, 87, 282, 37}},
    {Text4(5), ControlName::Form1, {201, 411, 483, 37}},
    {{ControlName::Frame1}, ControlName::Form1, {8, 8, 711, 466}},
    {{ControlName::Label9}, ControlName::Frame1, {18, 35, 159, 28}},
    {{ControlName::Label2}, ControlName::Frame1, {18, 123, 98, 28}},
    {{ControlName::Text3}, ControlName::Frame1, {193, 123, 282, 37}},
    {{ControlName::Command1}, ControlName::Frame1, {508, 35, 168, 125}},
};

inline constexpr PlacedControl kAt192Dpi[] = {
    {{ControlName::Text1}, ControlName::Form1, {230, 50, 322, 42}},
    {{ControlName::Text2}, ControlName::Form1, {230, 100, 322, 42}},
    {Text4(5), ControlName::Form1, {230, 470, 552, 42}},
    {{ControlName::Frame1}, ControlName::Form1, {10, 10, 812, 532}},
    {{ControlName::Label9}, ControlName::Frame1, {20, 40, 182, 32}},
    {{ControlName::Label2}, ControlName::Frame1, {20, 140, 112, 32}},
    {{ControlName::Text3}, ControlName::Frame1, {220, 140, 322, 42}},
    {{ControlName::Command1}, ControlName::Frame1, {580, 40, 192, 142}},
};

inline constexpr FormPixels kFormPixels[] = {
    {96, {418, 278}, kAt96Dpi},   {120, {522, 347}, kAt120Dpi}, {144, {627, 417}, kAt144Dpi},
    {168, {731, 486}, kAt168Dpi}, {192, {836, 556}, kAt192Dpi},
};

inline const PlacedControl* FindPlaced(const FormPixels& form, ControlId control) {
    for (const PlacedControl& placed : form.controls) {
        if (placed.control == control) {
            return &placed;
        }
    }
    return nullptr;
}

}  // namespace quorl::testing
