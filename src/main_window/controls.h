#pragma once

namespace quorl {

// The controls of the main window, by their names; the six result boxes form
// the control array Text4, told apart by index.
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

}  // namespace quorl
