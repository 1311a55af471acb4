#pragma once

#include "form_layout.h"

namespace quorl {

// A screen's resolution in dots per inch, for turning twips into pixels.
struct Dpi {
    int x = 96;
    int y = 96;
};

// Position and size in pixels, relative to the control's container.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelSize {
    int width = 0;
    int height = 0;

    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// A place in twips from the top-left corner of the form's client area.
struct TwipPoint {
    int left = 0;
    int top = 0;

    friend bool operator==(const TwipPoint&, const TwipPoint&) = default;
};

inline constexpr int kTwipsPerInch = 1440;

// Whole pixels, rounded down: at 96 DPI 15 twips make a pixel.
constexpr int TwipsToPixels(int twips, int dotsPerInch) {
    return twips * dotsPerInch / kTwipsPerInch;
}

// Where the inside of the control's container starts on the form: nothing
// for a control of the form, Frame1's place for a control of the frame.
TwipPoint ContainerOffset(const ControlLayout& layout);

// Where the control stands in its container. Each edge is converted from its
// place on the form, so controls whose edges meet in twips meet in pixels,
// whichever container they belong to.
PixelRect PixelRectOf(const ControlLayout& layout, Dpi dpi);

// The size of the form's client area.
PixelSize ClientPixelSize(const FormLayout& form, Dpi dpi);

}  // namespace quorl
