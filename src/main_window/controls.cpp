#include "controls.h"

namespace quorl {

std::string ControlNameText(ControlId control) {
    std::string text(ControlBaseName(control.name));
    if (control.name == ControlName::Text4) {
        // Appended piece by piece: GCC 12 at -O3 takes "(" + std::string for
        // an overlapping copy (-Wrestrict).
        text += '(';
        text += std::to_string(control.index);
        text += ')';
    }
    return text;
}

}  // namespace quorl
