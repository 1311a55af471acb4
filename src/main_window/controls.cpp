#include "controls.h"

namespace quorl {

std::string ControlNameText(ControlId control) {
    std::string text(ControlBaseName(control.name));
    if (control.name == ControlName::Text4) {
        text += "(" + std::to_string(control.index) + ")";
    }
    return text;
}

}  // namespace quorl
