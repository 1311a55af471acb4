#include "form_geometry.h"

namespace quorl {

TwipPoint ContainerOffset(const ControlLayout& layout) {
    TwipPoint offset;
    for (const ControlLayout* container = FindLayout({layout.container}); container != nullptr;
         container = FindLayout({container->container})) {
        offset.left += container->left;
        offset.top += container->top;
    }
    return offset;
}

PixelRect PixelRectOf(const ControlLayout& layout, Dpi dpi) {
    const TwipPoint origin = ContainerOffset(layout);
    const int left = origin.left + layout.left;
    const int top = origin.top + layout.top;
    const int leftPixel = TwipsToPixels(left, dpi.x);
    const int topPixel = TwipsToPixels(top, dpi.y);
    return {leftPixel - TwipsToPixels(origin.left, dpi.x),
            topPixel - TwipsToPixels(origin.top, dpi.y),
            TwipsToPixels(left + layout.width, dpi.x) - leftPixel,
            TwipsToPixels(top + layout.height, dpi.y) - topPixel};
}

PixelSize ClientPixelSize(const FormLayout& form, Dpi dpi) {
    return {TwipsToPixels(form.clientWidth, dpi.x), TwipsToPixels(form.clientHeight, dpi.y)};
}

}  // namespace quorl
