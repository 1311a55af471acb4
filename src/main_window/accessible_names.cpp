#include "accessible_names.h"

#include <optional>

#include "form_layout.h"

namespace quorl {

std::u16string_view AccessibleName(ControlId control) {
    const ControlLayout* layout = FindLayout(control);
    if (layout == nullptr) {
        return Form1Layout().caption;
    }
    if (layout->kind == ControlKind::TextBox) {
        if (const std::optional<ControlId> label = LabelOf(control)) {
            return FindLayout(*label)->text;
        }
    }
    return layout->text;
}

}  // namespace quorl
