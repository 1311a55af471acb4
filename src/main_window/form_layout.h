#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "controls.h"

namespace quorl {

enum class ControlKind { TextBox, Frame, Label, CommandButton };

// One control of the main window. Positions and sizes are in twips, relative
// to the container; every backend builds the window from this table alone.
struct ControlLayout {
    ControlId id;
    ControlKind kind;
    ControlName container;
    int left;
    int top;
    int width;
    int height;
    std::u16string_view text;  // caption, or initial text of a box
    int tabIndex;
};

struct FormLayout {
    std::u16string_view caption;
    int clientWidth;  // twips
    int clientHeight;
    std::span<const ControlLayout> controls;  // in tab-index order, checked at compile time
};

const FormLayout& Form1Layout();
// The layout of a control of Form1; null for the form itself.
const ControlLayout* FindLayout(ControlId control);

// The label that stands beside a text box and says what it holds.
std::optional<ControlId> LabelOf(ControlId box);

}  // namespace quorl
