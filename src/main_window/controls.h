#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quorl {

// The controls of the main window, by their names; the six result boxes form
// the control array Text4, told apart by index. Each name has its row in
// kControlNames below, in the same order.
enum class ControlName {
    Form1,
    Frame1,
    Command1,
    Text1,
    Text2,
    Text3,
    Text4,
    Label1,
    Label2,
    Label3,
    Label4,
    Label5,
    Label6,
    Label7,
    Label8,
    Label9,
};

// What a name says a control is. The value is the thousands of the
// control's numeric ID (numeric_control_ids.h).
enum class NameKind { Form = 0, Text = 1, Label = 2, Command = 3, Frame = 4 };

// One row per name: how it is spelled, and the kind and counter that number it.
struct ControlNameRow {
    ControlName name;
    NameKind kind;
    int counter;
    std::string_view spelling;
};

// In the order of ControlName, so that a name finds its row by its value;
// numeric_control_ids.cpp checks the order, and that no two rows share a
// spelling or a number.
inline constexpr std::array<ControlNameRow, 16> kControlNames = {{
    {ControlName::Form1, NameKind::Form, 1, "Form1"},
    {ControlName::Frame1, NameKind::Frame, 1, "Frame1"},
    {ControlName::Command1, NameKind::Command, 1, "Command1"},
    {ControlName::Text1, NameKind::Text, 1, "Text1"},
    {ControlName::Text2, NameKind::Text, 2, "Text2"},
    {ControlName::Text3, NameKind::Text, 3, "Text3"},
    {ControlName::Text4, NameKind::Text, 4, "Text4"},
    {ControlName::Label1, NameKind::Label, 1, "Label1"},
    {ControlName::Label2, NameKind::Label, 2, "Label2"},
    {ControlName::Label3, NameKind::Label, 3, "Label3"},
    {ControlName::Label4, NameKind::Label, 4, "Label4"},
    {ControlName::Label5, NameKind::Label, 5, "Label5"},
    {ControlName::Label6, NameKind::Label, 6, "Label6"},
    {ControlName::Label7, NameKind::Label, 7, "Label7"},
    {ControlName::Label8, NameKind::Label, 8, "Label8"},
    {ControlName::Label9, NameKind::Label, 9, "Label9"},
}};

constexpr const ControlNameRow& NameRow(ControlName name) {
    return kControlNames[static_cast<std::size_t>(name)];
}

// "Text4", "Command1": the name of a control as both windows and the tests
// spell it.
constexpr std::string_view ControlBaseName(ControlName name) {
    return NameRow(name).spelling;
}

struct ControlId {
    ControlName name = ControlName::Form1;
    int index = 0;

    friend bool operator==(const ControlId&, const ControlId&) = default;
};

inline constexpr int kResultBoxCount = 6;

// A member of the Text4 control array.
constexpr ControlId Text4(int index) {
    return {ControlName::Text4, index};
}

// "Text1", "Text4(3)", "Command1": the one spelling of a control, with its
// index for a member of Text4. Qt's object names and the tests' logs use it.
std::string ControlNameText(ControlId control);

}  // namespace quorl
