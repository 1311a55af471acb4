#include "form_layout.h"

#include <array>

namespace quorl {
namespace {

using enum ControlName;
using enum ControlKind;

constexpr std::array<ControlLayout, 20> kForm1Controls = {{
    {{Text1}, TextBox, Form1, 1725, 375, 2415, 315, u"", 0},
    {{Text2}, TextBox, Form1, 1725, 750, 2415, 315, u"", 1},
    {{Text4, 0}, TextBox, Form1, 1725, 1650, 4140, 315, u"", 2},
    {{Text4, 1}, TextBox, Form1, 1725, 2025, 4140, 315, u"", 3},
    {{Text4, 2}, TextBox, Form1, 1725, 2400, 4140, 315, u"", 4},
    {{Text4, 3}, TextBox, Form1, 1725, 2775, 4140, 315, u"", 5},
    {{Text4, 4}, TextBox, Form1, 1725, 3150, 4140, 315, u"", 6},
    {{Text4, 5}, TextBox, Form1, 1725, 3525, 4140, 315, u"", 7},
    {{Frame1}, Frame, Form1, 75, 75, 6090, 3990, u"Quorl!", 8},
    {{Label1}, Label, Frame1, 150, 675, 1365, 240, u"IP Address", 9},
    {{Label2}, Label, Frame1, 150, 1050, 840, 240, u"Send", 10},
    {{Label3}, Label, Frame1, 150, 1575, 1365, 240, u"Return Status", 11},
    {{Label4}, Label, Frame1, 150, 1950, 1365, 240, u"Address (dec)", 12},
    {{Label5}, Label, Frame1, 150, 2325, 1365, 240, u"Round Trip Time", 13},
    {{Label6}, Label, Frame1, 150, 2700, 1365, 240, u"Data Packet Size", 14},
    {{Label7}, Label, Frame1, 150, 3075, 1365, 240, u"Data Returned", 15},
    {{Label8}, Label, Frame1, 150, 3450, 1365, 240, u"Data Pointer", 16},
    {{Label9}, Label, Frame1, 150, 300, 1365, 240, u"Host Name", 17},
    {{Text3}, TextBox, Frame1, 1650, 1050, 2415, 315, u"Echo This", 18},
    {{Command1}, CommandButton, Frame1, 4350, 300, 1440, 1065, u"Quorl!", 19},
}};

// Every backend sets focus in table order, so the table must be that order.
constexpr bool InTabOrder(std::span<const ControlLayout> controls) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].tabIndex != static_cast<int>(i)) {
            return false;
        }
    }
    return true;
}
static_assert(InTabOrder(kForm1Controls), "kForm1Controls must be listed in tab-index order");

constexpr FormLayout kForm1 = {u"Quorl!   Brindlow   3/28/03", 6270, 4170, kForm1Controls};

struct BoxLabel {
    ControlId box;
    ControlId label;
};

constexpr std::array<BoxLabel, 9> kBoxLabels = {{
    {{Text1}, {Label9}},
    {{Text2}, {Label1}},
    {{Text3}, {Label2}},
    {{Text4, 0}, {Label3}},
    {{Text4, 1}, {Label4}},
    {{Text4, 2}, {Label5}},
    {{Text4, 3}, {Label6}},
    {{Text4, 4}, {Label7}},
    {{Text4, 5}, {Label8}},
}};

}  // namespace

const FormLayout& Form1Layout() {
    return kForm1;
}

const ControlLayout* FindLayout(ControlId control) {
    for (const ControlLayout& layout : kForm1Controls) {
        if (layout.id == control) {
            return &layout;
        }
    }
    return nullptr;
}

std::optional<ControlId> LabelOf(ControlId box) {
    for (const BoxLabel& entry : kBoxLabels) {
        if (entry.box == box) {
            return entry.label;
        }
    }
    return std::nullopt;
}

}  // namespace quorl
